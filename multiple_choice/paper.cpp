// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "multiple_choice/paper.h"

#include "common/numbers.h"
#include "common/timetext.h"

namespace orv {

namespace pace {

SavedTime savedTime(int totalCnt, int doneCnt)
{
    SavedTime result;
    // The divisor counts the current question too; at most 59 questions can
    // be finished, so it is never 0 in a paper.
    const int remaining = kQuestions - doneCnt;
    result.lpDivTime = remaining > 0
        ? roundToInt(static_cast<double>(kPaperSeconds - static_cast<long long>(totalCnt)) / remaining)
        : 0;
    result.divTimeText = durationText(result.lpDivTime);
    const long long advantage = static_cast<long long>(kStandardSeconds) * doneCnt - totalCnt;
    result.savedText = advantage <= 0 ? QStringLiteral("-") : durationText(advantage);
    return result;
}

} // namespace pace

namespace {
// The time left in the current standard slot and in the paper.
RunFigures restTimes(int slotCnt, int totalCnt)
{
    return {std::nullopt, durationText(static_cast<long long>(pace::kStandardSeconds) - slotCnt),
            durationText(static_cast<long long>(pace::kPaperSeconds) - totalCnt)};
}

Paper::Pace paceOf(const pace::SavedTime &saved)
{
    return {saved.divTimeText, saved.savedText};
}
} // namespace

Paper::Initial Paper::initial()
{
    Initial shown{QStringLiteral("1"), paceOf(pace::savedTime(0, 0)), restTimes(0, 0)};
    shown.figures.questionNo = QStringLiteral("1");
    return shown;
}

void Paper::start()
{
    if (m_lpDivTime == 0)
        m_lpDivTime = pace::kStandardSeconds;
}

std::optional<Paper::Tick> Paper::tick()
{
    // After the end a stray tick changes nothing.
    if (m_totalCnt >= pace::kPaperSeconds)
        return std::nullopt;
    Tick tick;
    ++m_slotCnt;
    ++m_totalCnt;
    if (m_totalCnt == pace::kPaperSeconds) {
        tick.ended = true;
        tick.figures = runEndFigures();
        tick.cue = Cue::End;
        return tick;
    }
    if (m_totalCnt == 1)
        tick.blacken = tick.marker = 0;
    std::optional<QString> standardQuestion;
    if (m_slotCnt == pace::kStandardSeconds) {
        m_slotCnt = 0;
        m_stdQNo = m_stdQNo == 0 ? 2 : m_stdQNo + 1;
        tick.blacken = m_stdQNo - 1;
        standardQuestion = QString::number(m_stdQNo);
    }
    tick.figures = restTimes(m_slotCnt, m_totalCnt);
    tick.figures.questionNo = standardQuestion;
    if (const Pace pace = recompute(); pace != m_shownPace)
        tick.pace = m_shownPace = pace;
    return tick;
}

std::optional<Paper::Next> Paper::next()
{
    // After the paper's time nothing counts; the last question has no next.
    if (m_totalCnt >= pace::kPaperSeconds || m_doneCnt >= pace::kQuestions - 1)
        return std::nullopt;
    ++m_doneCnt;
    m_shownPace = recompute();
    return Next{m_doneCnt, QString::number(m_doneCnt + 1), m_shownPace};
}

Paper::Pace Paper::recompute()
{
    const pace::SavedTime saved = pace::savedTime(m_totalCnt, m_doneCnt);
    m_lpDivTime = saved.lpDivTime;
    m_divTimeText = saved.divTimeText;
    return paceOf(saved);
}

} // namespace orv
