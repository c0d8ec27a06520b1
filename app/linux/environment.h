// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QProcessEnvironment>

namespace orv {

// The platform plugin to ask Qt for, or empty to leave the choice to Qt.
// The multiple-choice windows place themselves beside each other, which a
// Wayland compositor does not allow; so in a Wayland session with XWayland at
// hand (DISPLAY set) the program runs on xcb, unless the user has chosen a
// platform with QT_QPA_PLATFORM.
QByteArray choosePlatform(const QProcessEnvironment &environment);

} // namespace orv
