// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/twips.h"

#include "common/numbers.h"

namespace orv {

int twipsToPx(int twips)
{
    return roundToInt(static_cast<double>(twips) / kTwipsPerPixel);
}

QRect twipsToPx(const QRect &twips)
{
    const long long right = static_cast<long long>(twips.x()) + twips.width();
    const long long bottom = static_cast<long long>(twips.y()) + twips.height();
    const int left = twipsToPx(twips.x());
    const int top = twipsToPx(twips.y());
    const int r = roundToInt(static_cast<double>(right) / kTwipsPerPixel);
    const int b = roundToInt(static_cast<double>(bottom) / kTwipsPerPixel);
    return QRect(left, top, qMax(0, r - left), qMax(0, b - top));
}

} // namespace orv
