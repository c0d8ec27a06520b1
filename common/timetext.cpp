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
