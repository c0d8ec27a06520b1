#include "widgets/fitlabel.h"

#include "common/twips.h"
#include "widgets/controls.h"

#include <QPaintEvent>
#include <QPainter>

#include <cmath>

namespace orv {

namespace {
// Where the baseline goes for the ink to sit centred in the box.
int inkCentredBaseline(const QRect &box, const QRect &ink)
{
    return box.top() + (box.height() - ink.height()) / 2 - ink.top();
}

// Where a line of `width` starts in the box by the horizontal alignment.
int lineStart(const QRect &box, Qt::Alignment alignment, int width)
{
    if (alignment & Qt::AlignRight)
        return box.right() + 1 - width;
    if (alignment & Qt::AlignHCenter)
        return box.left() + (box.width() - width) / 2;
    return box.left();
}
} // namespace

FitLabel::FitLabel(const QString &text, QWidget *parent)
    : QLabel(text, parent)
{
    setTextFormat(Qt::PlainText);
}

FitLabel::~FitLabel() = default;

void FitLabel::setAutoGrow(bool grow)
{
    m_autoGrow = grow;
    fitToText();
}

void FitLabel::fitToText()
{
    const QRect designed = twipsToPx(twipsOf(this));
    if (!m_autoGrow || designed.isNull())
        return;
    const int needed = textWidth(text()) + 2 * margin() + 1;
    QRect box = designed;
    if (needed > designed.width()) {
        const int extra = needed - designed.width();
        if (alignment() & Qt::AlignRight)
            box.setLeft(designed.left() - extra);
        else if (alignment() & Qt::AlignHCenter)
            box.adjust(-extra / 2, 0, extra - extra / 2, 0);
        else
            box.setWidth(needed);
    }
    if (geometry() != box)
        setGeometry(box);
}

int FitLabel::textWidth(const QString &caption)
{
    if (m_widthFont != font()) {
        m_widthFont = font();
        m_widths.clear();
        const QFontMetrics metrics(m_widthFont);
        const int zero = metrics.horizontalAdvance(QLatin1Char('0'));
        m_tabularDigits = true;
        for (char d = '1'; d <= '9'; ++d)
            m_tabularDigits = m_tabularDigits && metrics.horizontalAdvance(QLatin1Char(d)) == zero;
    }
    const QString shape = shapeKey(caption);
    if (const int *known = m_widths.find(shape))
        return *known;
    const int width = QFontMetrics(m_widthFont).horizontalAdvance(caption);
    m_widths.insert(shape, width);
    return width;
}

QString FitLabel::shapeKey(const QString &caption) const
{
    QString shape = caption;
    if (m_tabularDigits)
        for (QChar &c : shape)
            if (c >= u'1' && c <= u'9')
                c = u'0';
    return shape;
}

bool FitLabel::sameShape(const QString &a, const QString &b) const
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        // As shapeKey: equally wide digits are one shape.
        const bool digits = m_tabularDigits && a[i] >= u'0' && a[i] <= u'9' && b[i] >= u'0' && b[i] <= u'9';
        if (a[i] != b[i] && !digits)
            return false;
    }
    return true;
}

QRect FitLabel::inkOf(const QString &caption, const QFont &font)
{
    // Digits share their height, so the ink of one figure serves its shape.
    const QString key = QString::number(font.stretch()) + u'|' + shapeKey(caption);
    if (const QRect *known = m_inks.find(key))
        return *known;
    const QRect ink = QFontMetrics(font).tightBoundingRect(caption);
    m_inks.insert(key, ink);
    return ink;
}

QRect FitLabel::textBox() const
{
    return contentsRect().adjusted(margin(), margin(), -margin(), -margin());
}

QFont FitLabel::fontFitting(int needed, int width) const
{
    QFont font = this->font();
    if (needed > width)
        font.setStretch(qMax(1, 100 * width / needed));
    return font;
}

bool FitLabel::layoutFigure(const QString &caption, FigureGlyphs::Layout &layout)
{
    if (!FigureGlyphs::isFigure(caption) || wordWrap() || frameWidth() != 0 || indent() > 0)
        return false;
    const QRect box = textBox();
    if (box.width() <= 0 || box.height() <= 0)
        return false;
    // palette() is in the group of the label's state: disabled, inactive.
    const QRgb colour = palette().color(foregroundRole()).rgba();
    const qreal ratio = devicePixelRatioF();
    if (!m_figures)
        m_figures = std::make_unique<FigureGlyphs>();
    FigureGlyphs::Place &place = m_figures->place;
    const bool placed = place.valid && m_figures->hasFace(colour, ratio) && place.box == box
                        && place.alignment == alignment() && place.font == font() && sameShape(place.shape, caption);
    if (!placed) {
        place = {box, alignment(), font(), caption, 0, true};
        const QFont drawn = fontFitting(textWidth(caption), box.width());
        m_figures->setFace(drawn, colour, ratio);
        const QFontMetricsF line(drawn);
        if (QFontMetrics(drawn).height() > box.height() && (alignment() & Qt::AlignVCenter)) {
            // Big glyphs: centre the ink itself rather than the line, which
            // faces with tall ascenders push out of the designed box.
            place.baseline = inkCentredBaseline(box, inkOf(caption, drawn));
        } else if (alignment() & Qt::AlignBottom) {
            place.baseline = box.bottom() + 1 - line.descent();
        } else if (alignment() & Qt::AlignVCenter) {
            place.baseline = box.top() + (box.height() - line.height()) / 2 + line.ascent();
        } else {
            place.baseline = box.top() + line.ascent();
        }
        // Whole device pixels, as glyphs are drawn without subpixel positions.
        place.baseline = std::round(place.baseline * ratio) / ratio;
    }
    m_figures->layOut(caption, box, alignment(), place.baseline, layout);
    return true;
}

void FitLabel::changeText(const QString &next)
{
    FigureGlyphs::Layout before;
    const QString previous = text();
    if (!updatesEnabled() || !isVisible() || previous.size() != next.size() || !layoutFigure(previous, before)) {
        setText(next);
        return;
    }
    // QLabel repaints its whole box on a new text; hold that back (a plain
    // flag, as the label has no children) and repaint what changed.
    setAttribute(Qt::WA_UpdatesDisabled, true);
    setText(next);
    setAttribute(Qt::WA_UpdatesDisabled, false);
    const int face = m_figures->faceSerial();
    FigureGlyphs::Layout after;
    if (!layoutFigure(next, after) || !(after == before) || m_figures->faceSerial() != face) {
        update();
        return;
    }
    QRectF changed;
    for (int i = 0; i < next.size(); ++i) {
        if (next[i] != previous[i])
            changed |= m_figures->glyphBox(before, previous, i) | m_figures->glyphBox(after, next, i);
    }
    update(changed.toAlignedRect().adjusted(-1, -1, 1, 1));
}

void FitLabel::paintEvent(QPaintEvent *event)
{
    const QString caption = text();
    if (FigureGlyphs::Layout layout; layoutFigure(caption, layout)) {
        QPainter painter(this);
        m_figures->paint(painter, layout, caption, event->rect());
        return;
    }
    const QRect box = textBox();
    if (caption.isEmpty() || wordWrap() || box.width() <= 0 || box.height() <= 0) {
        QLabel::paintEvent(event);
        return;
    }
    const int needed = textWidth(caption);
    const QFont font = fontFitting(needed, box.width());
    const QFontMetrics metrics(font);
    // Where the ink of a vertically centred line would fall: faces with tall
    // ascenders push big glyphs out of the designed boxes.
    bool inkFits = true;
    QRect ink;
    if (metrics.height() > box.height()) {
        ink = inkOf(caption, font);
        const int baseline = box.top() + (box.height() - metrics.height()) / 2 + metrics.ascent();
        inkFits = baseline + ink.top() >= box.top() && baseline + ink.bottom() <= box.bottom();
    }
    if (needed <= box.width() && inkFits) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.setFont(font);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
    if (inkFits || !(alignment() & Qt::AlignVCenter)) {
        painter.drawText(box, int(alignment()) | Qt::TextSingleLine, caption);
        return;
    }
    // Centre the ink itself rather than the line.
    const int x = lineStart(box, alignment(), qMin(needed, box.width()));
    painter.drawText(QPoint(x, inkCentredBaseline(box, ink)), caption);
}

} // namespace orv
