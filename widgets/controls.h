// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

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

// Sets a label's caption, tells assistive technology, and lets a label that
// sizes itself to its text follow it.
void setCaption(QLabel *label, const QString &text);

// Small builders for the common controls: named, placed, captioned.
QLabel *addLabel(QWidget *parent, const QString &name, const QRect &twips, const QString &caption = {});
QPushButton *addButton(QWidget *parent, const QString &name, const QRect &twips, const QString &caption);
// A panel; with a valid colour it paints that background.
QFrame *addPanel(QWidget *parent, const QString &name, const QRect &twips, const QColor &background = {});
// A figure: a right-aligned label in a bold designed face, in the given
// text colour if valid.
QLabel *addFigure(QWidget *parent, const QString &name, const QRect &twips, const QString &caption,
                  const QString &face, double points, const QColor &color = {});
// A caption-less label that shows only its background colour (bars, legend squares).
QLabel *addColourBlock(QWidget *parent, const QString &name, const QRect &twips, const QColor &color);
// The object name of a member of a control array: "LabelA(0)".
QString indexedName(const char *name, int index);

} // namespace orv
