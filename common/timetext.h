// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace orv {

// Duration texts share one shape: "h:mm:ss" from an hour up, "m:ss" from a
// minute up, otherwise the bare seconds; the first field has no leading zero.

// Hours and minutes by floor division, seconds by the matching floor modulo.
// For counts >= 0 this is the plain rule; for a negative count the hour piece
// goes negative and the text shows what is left within that hour
// (-1 -> "59:59"), which is how a count past an hour boundary reads.
QString durationText(long long seconds);

// The plain rule of |seconds| with "-" in front of a negative count
// (-95 -> "-1:35").
QString signedDurationText(long long seconds);

} // namespace orv
