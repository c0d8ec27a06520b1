// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "multiple_choice/question.h"

#include "common/numbers.h"
#include "common/timetext.h"
#include "multiple_choice/paper.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace orv {

namespace {
QuestionClock::Row row(int budget, int elapsed)
{
    const long long x = static_cast<long long>(budget) - elapsed;
    // Saturate: a bar far wider than any window is cut off anyway.
    return {durationText(x), x < 0, clampToInt(std::llabs(x) * QuestionClock::kBarTwipsPerSecond)};
}
} // namespace

QuestionClock::Refresh QuestionClock::initial()
{
    constexpr int kDesignedBarTwips = 180;
    Refresh shown = refresh(u"0", pace::kStandardSeconds);
    shown.required.barTwips = shown.standard.barTwips = kDesignedBarTwips;
    shown.headings = Headings{QStringLiteral("必要処理時間（残）"), QStringLiteral("標準処理時間（残）")};
    return shown;
}

QuestionClock::Refresh QuestionClock::write(const QString &counter, int budget)
{
    m_counter = counter;
    if (leadingNumber(m_counter) == 0.0)
        m_divTime = budget;
    Refresh r = refresh(m_counter, m_divTime);
    if (!std::exchange(m_written, true))
        r.headings = Headings{QStringLiteral("必要処理時間(残)"), QStringLiteral("標準処理時間(残)")};
    return r;
}

QString QuestionClock::advanced() const
{
    return QString::number(leadingNumber(m_counter) + 1, 'f', 0);
}

QuestionClock::Refresh QuestionClock::refresh(QStringView counter, int divTime)
{
    Refresh r;
    const int elapsed = roundToInt(leadingNumber(counter));
    // The counter only ever holds whole seconds from zero up; a negative
    // one (written from outside, never by the program) reads as 0 here.
    r.elapsedText = durationText(std::max(elapsed, 0));
    r.required = row(divTime, elapsed);
    r.standard = row(pace::kStandardSeconds, elapsed);
    if (elapsed == pace::kStandardSeconds)
        r.cue = Cue::Milestone;
    return r;
}

} // namespace orv
