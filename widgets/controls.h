#pragma once

#include <QColor>
#include <QRect>
#include <QString>

class QFrame;
class QLabel;
class QPushButton;
class QWidget;

namespace orv {

// Places a control from twips and records the twips as its "twips" property.
void placeTwips(QWidget *control, const QRect &twips);
// The control's place in twips, as last set by placeTwips.
QRect twipsOf(const QWidget *control);
// Keeps the control's left edge, top and height; only the width changes.
void setWidthTwips(QWidget *control, int width);

void setBackgroundColor(QWidget *control, const QColor &color);
void setTextColor(QWidget *control, const QColor &color);

// A colour written as &H00BBGGRR.
constexpr QRgb fromBgr(unsigned bgr)
{
    return qRgb(bgr & 0xff, (bgr >> 8) & 0xff, (bgr >> 16) & 0xff);
}

// Sets a label's caption, tells assistive technology, and lets a label that
// sizes itself to its text follow it.
void setCaption(QLabel *label, const QString &text);

// Small builders for the common controls: named, placed, captioned.
QLabel *addLabel(QWidget *parent, const QString &name, const QRect &twips, const QString &caption = {});
QPushButton *addButton(QWidget *parent, const QString &name, const QRect &twips, const QString &caption);
// A panel; with a valid colour it paints that background.
QFrame *addPanel(QWidget *parent, const QString &name, const QRect &twips, const QColor &background = {});
// A caption-less label that shows only its background colour (bars, legend squares).
QLabel *addColourBlock(QWidget *parent, const QString &name, const QRect &twips, const QColor &color);
// The cover of a timer's start countdown: the panel "Picture1" over the
// window's panels, with the digit "Label1" showing "③".
QFrame *addCountdownCover(QWidget *window);

// The object name of a member of a control array: "LabelA(0)".
QString indexedName(const char *name, int index);

} // namespace orv
