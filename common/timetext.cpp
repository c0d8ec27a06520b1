#include "common/timetext.h"

#include <climits>

namespace orv {

namespace {

long long floorDiv(long long a, long long b)
{
    long long q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

QString twoDigits(long long v)
{
    return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0'));
}

} // namespace

QString composeDurationText(long long hours, long long minutes, long long seconds)
{
    if (hours >= 1)
        return QString::number(hours) + u':' + twoDigits(minutes) + u':' + twoDigits(seconds);
    if (minutes >= 1)
        return QString::number(minutes) + u':' + twoDigits(seconds);
    return QString::number(seconds);
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
