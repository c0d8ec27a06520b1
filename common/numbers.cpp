// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace orv {

double roundHalfEven(double value)
{
    if (!std::isfinite(value))
        return value;
    // nearbyint honours the current rounding mode, which the program never
    // changes from round-to-nearest-even; be explicit about ties anyway.
    const double lower = std::floor(value);
    const double diff = value - lower;
    if (diff < 0.5)
        return lower;
    if (diff > 0.5)
        return lower + 1.0;
    return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
}

int roundToInt(double value)
{
    if (std::isnan(value))
        return 0;
    const double r = roundHalfEven(value);
    if (r >= static_cast<double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (r <= static_cast<double>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return static_cast<int>(r);
}

int clampToInt(long long value)
{
    return static_cast<int>(
        std::clamp<long long>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

namespace {

bool isSkippable(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
}

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

} // namespace

double leadingNumber(QStringView text)
{
    // Collect the accepted characters into a plain ASCII number, then convert
    // it locale-independently.
    std::string number;
    bool negative = false;
    bool seenSign = false;
    bool seenPoint = false;
    bool seenDigit = false;
    bool nonZeroBeforePoint = false;

    for (const QChar c : text) {
        if (isSkippable(c))
            continue;
        if (!seenSign && !seenDigit && !seenPoint && (c == u'+' || c == u'-')) {
            seenSign = true;
            negative = (c == u'-');
            continue;
        }
        if (isAsciiDigit(c)) {
            seenDigit = true;
            if (!seenPoint && c != u'0')
                nonZeroBeforePoint = true;
            number.push_back(static_cast<char>(c.unicode()));
            continue;
        }
        if (c == u'.' && !seenPoint) {
            seenPoint = true;
            number.push_back('.');
            continue;
        }
        break;
    }
    if (!seenDigit)
        return 0.0;

    double value = 0.0;
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value,
                                           std::chars_format::fixed);
    (void)end;
    if (ec == std::errc::result_out_of_range)
        value = nonZeroBeforePoint ? std::numeric_limits<double>::infinity() : 0.0;
    else if (ec != std::errc())
        value = 0.0;
    return (negative && value != 0.0) ? -value : value;
}

} // namespace orv
