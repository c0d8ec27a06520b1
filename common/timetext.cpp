// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/timetext.h"

#include <climits>

namespace orv {

namespace {

// Division rounding down, and the remainder that goes with it (from 0 to
// b - 1), for a positive divisor; neither can overflow.
long long floorDiv(long long a, long long b)
{
    return a / b - (a % b < 0 ? 1 : 0);
}

long long floorMod(long long a, long long b)
{
    return a % b < 0 ? a % b + b : a % b;
}

// The shape from divided pieces: "h:mm:ss" from an hour, "m:ss" from a
// minute, otherwise the bare seconds. Written digit by digit from the end:
// several are made every tick, and QString::arg took a fifth of a tick.
QString compose(long long hours, long long minutes, long long seconds)
{
    char text[48];
    char *const end = text + sizeof text;
    char *p = end;
    const auto put = [&p](long long value, int width) {
        do {
            *--p = char('0' + value % 10);
            value /= 10;
        } while (--width > 0 || value > 0);
    };
    put(seconds, hours >= 1 || minutes >= 1 ? 2 : 1);
    if (hours >= 1 || minutes >= 1) {
        *--p = ':';
        put(minutes, hours >= 1 ? 2 : 1);
    }
    if (hours >= 1) {
        *--p = ':';
        put(hours, 1);
    }
    return QString::fromLatin1(p, end - p);
}

} // namespace

QString durationText(long long seconds)
{
    const long long rest = floorMod(seconds, 3600);
    return compose(floorDiv(seconds, 3600), rest / 60, rest % 60);
}

QString signedDurationText(long long seconds)
{
    if (seconds >= 0)
        return durationText(seconds);
    // Durations are 32-bit counts, so negating never overflows in practice;
    // the clamp only keeps the extreme 64-bit value defined.
    const long long magnitude = seconds == LLONG_MIN ? LLONG_MAX : -seconds;
    return u'-' + durationText(magnitude);
}

} // namespace orv
