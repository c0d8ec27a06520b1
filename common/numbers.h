// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringView>

namespace orv {

// Nearest whole number, an exact half going to the even neighbour
// (2.5 -> 2, 3.5 -> 4, -2.5 -> -2). Non-finite values come back unchanged.
double roundHalfEven(double value);

// roundHalfEven, then saturated into the int range; NaN gives 0.
int roundToInt(double value);

// Saturating conversion of a whole number into the int range.
int clampToInt(long long value);

// The number a typed text begins with. Blanks, tabs and line feeds are skipped
// wherever they stand; then an optional sign and decimal digits with at most
// one point. Reading stops at the first character that cannot continue the
// number; a text that does not begin with a number reads as 0. No exponent,
// no thousands separator, no full-width digits. A number too large for a
// double reads as +/-infinity.
double leadingNumber(QStringView text);

} // namespace orv
