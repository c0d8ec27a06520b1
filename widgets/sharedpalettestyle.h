// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace orv {

// Installs the application's style: the platform's own, drawing every
// control with one shared palette per set of colours.
//
// Qt's style caches the faces of buttons under their palette's serial
// number, and a control under a coloured panel gets a palette of its own,
// with a fresh serial, in every new window. So every opening of a timer
// window left its buttons' faces in the cache (and, in Qt 6.4, their keys
// for good), never to be found again. With shared palettes each opening
// finds the faces the last one drew. Call once after the application object
// exists and before any window is built.
void installSharedPaletteStyle();

} // namespace orv
