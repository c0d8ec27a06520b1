// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The duration texts of any count: every text matches the one grammar
// (h:mm:ss, m:ss or s, with "-" in front of a negative count) and
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
    static const QRegularExpression grammar(QStringLiteral("^-?(?:(\\d+):([0-5]\\d):([0-5]\\d)|(\\d+):([0-5]\\d)|(\\d+))$"));
    const QRegularExpressionMatch m = grammar.match(text);
    if (!m.hasMatch())
        std::abort();
    const auto field = [&m](int i) { return m.captured(i).toLongLong(); };
    const long long total = field(1) * 3600 + (field(2) + field(4)) * 60 + field(3) + field(5) + field(6);
    return text.startsWith(u'-') ? -total : total;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < sizeof(int32_t))
        return 0;
    int32_t seconds;
    std::memcpy(&seconds, data, sizeof seconds);
    const long long n = seconds;
    if (parse(orv::durationText(n)) != n || parse(orv::countdown::displayText(n)) != (n < 0 ? 0 : n))
        std::abort();
    return 0;
}
