// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace orv {

// A duration's text: "h:mm:ss" from an hour up, "m:ss" from a minute up,
// otherwise the bare seconds; the first field has no leading zero. A
// negative count is its size with "-" in front (-95 -> "-1:35"), as an
// overrun reads.
QString durationText(long long seconds);

} // namespace orv
