// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QRect>

namespace orv {

// Geometry is modelled in twips; 15 twips make one logical pixel and Qt's
// high-DPI scaling does the rest.
inline constexpr int kTwipsPerPixel = 15;

// Nearest logical pixel (an exact half to the even neighbour).
int twipsToPx(int twips);

// Converts the edges rather than the size, so that controls that touch in
// twips also touch in pixels and a row of bars keeps its total length.
QRect twipsToPx(const QRect &twips);

} // namespace orv
