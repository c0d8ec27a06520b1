// The duration texts of any count: every text matches the one grammar
// (h:mm:ss, m:ss or s, with "-" in front of a negative signed text) and
// reads back as the count it came from.
#include "common/timetext.h"
#include "countdown/kitchen.h"

#include <QRegularExpression>

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

// The count a text stands for; aborts on a text outside the grammar.
long long parse(const QString &text)
{
    static const QRegularExpression grammar(QStringLiteral("^(-?)(\\d+)(?::([0-5]\\d))?(?::([0-5]\\d))?$"));
    const QRegularExpressionMatch m = grammar.match(text);
    if (!m.hasMatch() || (m.capturedLength(4) && !m.capturedLength(3)))
        std::abort();
    long long total = 0;
    for (int field = 2; field <= 4; ++field)
        if (m.capturedLength(field))
            total = total * 60 + m.captured(field).toLongLong();
    return m.capturedLength(1) ? -total : total;
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
    // The plain rule reads a negative count within its hour (floor division).
    const long long plain = parse(orv::durationText(n));
    if (n >= 0 ? plain != n : (plain < 0 || plain >= 3600 || (plain - n) % 3600 != 0))
        std::abort();
    if (parse(orv::countdown::displayText(n)) != (n < 0 ? 0 : n))
        std::abort();
    return 0;
}
