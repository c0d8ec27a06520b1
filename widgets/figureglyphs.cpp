#include "widgets/figureglyphs.h"

#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

namespace orv {

namespace {
// Where each figure character keeps its glyph; -1 for any other character.
int figureIndex(QChar c)
{
    if (c >= u'0' && c <= u'9')
        return c.unicode() - u'0';
    if (c == u':')
        return 10;
    if (c == u'-')
        return 11;
    return -1;
}
} // namespace

bool FigureGlyphs::isFigure(const QString &text)
{
    if (text.isEmpty() || text.size() > 24)
        return false;
    for (QChar c : text)
        if (figureIndex(c) < 0)
            return false;
    return true;
}

void FigureGlyphs::setFace(const QFont &font, QRgb colour, qreal pixelRatio)
{
    if (m_font == font && hasFace(colour, pixelRatio))
        return;
    m_font = font;
    m_colour = colour;
    m_ratio = pixelRatio;
    m_glyphs = {};
    ++m_serial;
}

const FigureGlyphs::Glyph &FigureGlyphs::glyph(QChar c)
{
    Glyph &glyph = m_glyphs[figureIndex(c)];
    if (glyph.ready)
        return glyph;
    glyph.ready = true;
    const QFontMetricsF metrics(m_font);
    glyph.advance = metrics.horizontalAdvance(c);
    // Room on every side for ink beyond the advance and the line. The pen
    // sits on a whole device pixel, so the image does too.
    const qreal pad = std::ceil(metrics.height() / 2);
    const QPointF pen(std::ceil(pad * m_ratio) / m_ratio, std::ceil((pad + metrics.ascent()) * m_ratio) / m_ratio);
    QImage canvas(qCeil((glyph.advance + 2 * pad) * m_ratio), qCeil((metrics.height() + 2 * pad) * m_ratio),
                  QImage::Format_ARGB32_Premultiplied);
    canvas.setDevicePixelRatio(m_ratio);
    canvas.fill(Qt::transparent);
    {
        QPainter painter(&canvas);
        painter.setFont(m_font);
        painter.setPen(QColor::fromRgba(m_colour));
        painter.drawText(pen, QString(c));
    }
    int left = canvas.width(), right = -1, top = canvas.height(), bottom = -1;
    for (int y = 0; y < canvas.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(canvas.constScanLine(y));
        for (int x = 0; x < canvas.width(); ++x) {
            if (qAlpha(line[x]) == 0)
                continue;
            left = qMin(left, x);
            right = qMax(right, x);
            top = qMin(top, y);
            bottom = qMax(bottom, y);
        }
    }
    if (right < 0)
        return glyph;  // no ink
    glyph.image = canvas.copy(QRect(QPoint(left, top), QPoint(right, bottom)));
    glyph.image.setDevicePixelRatio(m_ratio);
    glyph.offset = QPointF(left / m_ratio - pen.x(), top / m_ratio - pen.y());
    return glyph;
}

void FigureGlyphs::layOut(const QString &text, const QRect &box, Qt::Alignment alignment, qreal baseline,
                          Layout &layout)
{
    qreal width = 0;
    for (QChar c : text)
        width += glyph(c).advance;
    qreal x = box.left();
    if (alignment & Qt::AlignRight)
        x = box.right() + 1 - width;
    else if (alignment & Qt::AlignHCenter)
        x = box.left() + (box.width() - width) / 2;
    layout.baseline = baseline;
    layout.pens.clear();
    for (QChar c : text) {
        layout.pens.append(std::round(x * m_ratio) / m_ratio);
        x += glyph(c).advance;
    }
}

QRectF FigureGlyphs::glyphBox(const Layout &layout, const QString &text, int i)
{
    const Glyph &g = glyph(text[i]);
    if (g.image.isNull())
        return {};
    const QPointF at(layout.pens[i] + g.offset.x(), layout.baseline + g.offset.y());
    return QRectF(at, g.image.deviceIndependentSize());
}

void FigureGlyphs::paint(QPainter &painter, const Layout &layout, const QString &text, const QRect &exposed)
{
    for (int i = 0; i < text.size(); ++i) {
        const QRectF box = glyphBox(layout, text, i);
        if (box.toAlignedRect().intersects(exposed))
            painter.drawImage(box.topLeft(), glyph(text[i]).image);
    }
}

} // namespace orv
