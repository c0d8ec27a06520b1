// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/fitlabel.h"

#include "common/twips.h"
#include "widgets/controls.h"

#include <QPainter>

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

// Clock and count figures: digits, colons and minus signs.
bool isFigure(const QString &text)
{
    for (QChar c : text)
        if (!c.isDigit() && c != u':' && c != u'-')
            return false;
    return true;
}
} // namespace

FitLabel::FitLabel(const QString &text, QWidget *parent)
    : QLabel(text, parent)
{
    setTextFormat(Qt::PlainText);
}

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

QRect FitLabel::textBox() const
{
    return contentsRect().adjusted(margin(), margin(), -margin(), -margin());
}

void FitLabel::paintEvent(QPaintEvent *event)
{
    const QString caption = text();
    const QRect box = textBox();
    if (caption.isEmpty() || box.width() <= 0 || box.height() <= 0) {
        QLabel::paintEvent(event);
        return;
    }
    const int needed = textWidth(caption);
    QFont font = this->font();
    if (needed > box.width())
        font.setStretch(qMax(1, 100 * box.width() / needed));
    const QFontMetrics metrics(font);
    // Where the ink of a vertically centred line would fall: faces with tall
    // ascenders push big glyphs out of the designed boxes.
    // Figures that big are always centred by their ink, measured on their
    // shape, so that a clock sits still whichever digits it shows.
    bool inkFits = true;
    QRect ink;
    if (metrics.height() > box.height()) {
        ink = metrics.tightBoundingRect(isFigure(caption) ? shapeKey(caption) : caption);
        const int baseline = box.top() + (box.height() - metrics.height()) / 2 + metrics.ascent();
        inkFits = !isFigure(caption) && baseline + ink.top() >= box.top() && baseline + ink.bottom() <= box.bottom();
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
