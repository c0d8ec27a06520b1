#include "common/timetext.h"

#include <climits>

namespace orv {

namespace {

// Division rounding down, for a positive divisor.
long long floorDiv(long long a, long long b)
{
    return a / b - (a % b < 0 ? 1 : 0);
}

// The shape from divided pieces: "h:mm:ss" from an hour, "m:ss" from a
// minute, otherwise the bare seconds.
QString compose(long long hours, long long minutes, long long seconds)
{
    const QLatin1Char zero('0');
    if (hours >= 1)
        return QStringLiteral("%1:%2:%3").arg(hours).arg(minutes, 2, 10, zero).arg(seconds, 2, 10, zero);
    if (minutes >= 1)
        return QStringLiteral("%1:%2").arg(minutes).arg(seconds, 2, 10, zero);
    return QString::number(seconds);
}

} // namespace

QString durationText(long long seconds)
{
    const long long h = floorDiv(seconds, 3600);
    const long long rest = seconds - 3600 * h;
    const long long m = floorDiv(rest, 60);
    return compose(h, m, rest - 60 * m);
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
