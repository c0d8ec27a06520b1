// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>

class QPalette;

// The colours the windows are painted with, named by what they are.
namespace orv::colour {

inline const QColor black(0, 0, 0);            // a grid cell the standard pace has reached
inline const QColor white(255, 255, 255);      // the kitchen timer's display
inline const QColor silver(192, 192, 192);     // panels
inline const QColor lightGrey(224, 224, 224);  // grid cells and the essay's rows
inline const QColor yellow(255, 255, 0);       // the user's own figures and markers; the issues phase
inline const QColor lavender(128, 128, 255);   // the outline phase; the clock line
inline const QColor purple(192, 0, 192);       // the writing phase
inline const QColor blue(0, 0, 255);           // time left
inline const QColor red(255, 0, 0);            // overrun, the alarm
inline const QColor titleGrey(64, 64, 64);     // the menu's title
inline const QColor titleFrame(0x8a, 0xa3, 0xba);
inline const QColor titleVeil(255, 255, 255, 200);

} // namespace orv::colour

namespace orv {

// The palette the whole program is drawn on: Qt's light default (black
// text, grey controls) from literal values, every role of every group set,
// so that none is taken from the desktop's theme or scheme, at start or
// when it changes later.
const QPalette &designedPalette();

} // namespace orv
