#include "common/timetext.h"

#include <climits>
#include <cstdio>

namespace orv {

namespace {

long long floorDiv(long long a, long long b)
{
    long long q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

} // namespace

QString composeDurationText(long long hours, long long minutes, long long seconds)
{
    // Formatted into a small buffer: these texts are rewritten every second
    // in several places, and QString::arg is comparatively slow.
    char text[64];
    int n;
    if (hours >= 1)
        n = std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", hours, minutes, seconds);
    else if (minutes >= 1)
        n = std::snprintf(text, sizeof text, "%lld:%02lld", minutes, seconds);
    else
        n = std::snprintf(text, sizeof text, "%lld", seconds);
    return QString::fromLatin1(text, qMax(0, n));
}

QString durationText(long long seconds)
{
    const long long h = floorDiv(seconds, 3600);
    const long long rest = seconds - 3600 * h;
    const long long m = floorDiv(rest, 60);
    return composeDurationText(h, m, rest - 60 * m);
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
