// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QFont;

namespace orv {

// Gives the whole program, Qt's own dialog and menus included, the one look
// it is designed with, whatever the desktop's platform theme (GTK, qt6ct,
// KDE's, Windows' own), style or colour scheme says, at start or later:
// - the Fusion style, drawing every control with one shared palette per set
//   of colours;
// - the designed palette (designedPalette()) as the application's, which
//   replaces what the theme hands out for each class of control and tells
//   the theme to leave the program's colours alone, and as every window of
//   the program's own, which a later application palette does not reach;
// - the designed fonts as every window's own: the program's windows set
//   theirs, Qt's own are given the dialog font as they are first shown;
// - the order and icons of a dialog's buttons that Qt has without a desktop.
// Call once after the application object exists and before any window is
// built; calling it again changes nothing.
void installDesignedLook();

// The font of Qt's own dialog and menus: Qt's own default, as Qt has it
// without a desktop.
QFont designedDialogFont();

} // namespace orv
