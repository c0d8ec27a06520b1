// The duration texts of any count: every text matches
// ^-?(\d+:\d\d:\d\d|\d+:\d\d|\d+)$ and reads back as the count it came from.
#include "common/timetext.h"
#include "countdown/countdownlogic.h"

#include <QString>

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

// Checks the grammar and returns the count the text stands for.
long long parse(const QString &text)
{
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && text[i] == u'-') {
        negative = true;
        ++i;
    }
    long long fields[3] = {0, 0, 0};
    int widths[3] = {0, 0, 0};
    int count = 0;
    for (;;) {
        if (count == 3)
            std::abort();
        while (i < text.size() && text[i] >= u'0' && text[i] <= u'9') {
            fields[count] = fields[count] * 10 + (text[i].unicode() - u'0');
            ++widths[count];
            ++i;
        }
        if (widths[count] == 0)
            std::abort();
        ++count;
        if (i == text.size())
            break;
        if (text[i] != u':')
            std::abort();
        ++i;
    }
    for (int f = 1; f < count; ++f)
        if (widths[f] != 2 || fields[f] > 59)
            std::abort();
    long long total = 0;
    for (int f = 0; f < count; ++f)
        total = total * 60 + fields[f];
    return negative ? -total : total;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < sizeof(int32_t))
        return 0;
    int32_t seconds;
    std::memcpy(&seconds, data, sizeof seconds);
    const long long n = seconds;

    if (parse(orv::signedDurationText(n)) != n)
        std::abort();
    if (n >= 0 && parse(orv::durationText(n)) != n)
        std::abort();
    // Below zero the plain rule reads within the hour (floor division).
    if (n < 0) {
        const long long within = parse(orv::durationText(n));
        if (within < 0 || within >= 3600 || (within - n) % 3600 != 0)
            std::abort();
    }
    const QString shown = orv::countdown::displayText(n);
    if (parse(shown) != (n < 0 ? 0 : n))
        std::abort();
    return 0;
}
