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

} // namespace

QString composeDurationText(long long hours, long long minutes, long long seconds)
{
    // Written digit by digit into a small buffer: these texts are rewritten
    // every second in several places, where QString::arg and even snprintf
    // are comparatively slow.
    char text[64];
    char *end = text;
    const auto put = [&end](long long value, int width) {
        // The magnitude as unsigned, which LLONG_MIN has too.
        unsigned long long magnitude = value < 0 ? 0ULL - static_cast<unsigned long long>(value)
                                                 : static_cast<unsigned long long>(value);
        char digits[24];
        int n = 0;
        do {
            digits[n++] = char('0' + magnitude % 10);
            magnitude /= 10;
        } while (magnitude != 0);
        // As printf's "%0*lld": the sign counts towards the width.
        if (value < 0) {
            *end++ = '-';
            --width;
        }
        for (int pad = n; pad < width; ++pad)
            *end++ = '0';
        while (n > 0)
            *end++ = digits[--n];
    };
    if (hours >= 1) {
        put(hours, 1);
        *end++ = ':';
        put(minutes, 2);
        *end++ = ':';
        put(seconds, 2);
    } else if (minutes >= 1) {
        put(minutes, 1);
        *end++ = ':';
        put(seconds, 2);
    } else {
        put(seconds, 1);
    }
    return QString::fromLatin1(text, end - text);
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
