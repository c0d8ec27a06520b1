// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/timetext.h"

#include <climits>

namespace orv {

namespace {

// Written digit by digit from the end: several are made every tick, and
// QString::arg took a fifth of a tick.
QString compose(bool negative, long long hours, long long minutes, long long seconds)
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
    if (negative)
        *--p = '-';
    return QString::fromLatin1(p, end - p);
}

} // namespace

QString durationText(long long seconds)
{
    // Durations are 32-bit counts, so negating never overflows in practice;
    // the clamp only keeps the extreme 64-bit value defined.
    const long long size = seconds >= 0 ? seconds : seconds == LLONG_MIN ? LLONG_MAX : -seconds;
    return compose(seconds < 0, size / 3600, size % 3600 / 60, size % 60);
}

} // namespace orv
