#include "multiple_choice/paper.h"

#include "common/numbers.h"
#include "common/timetext.h"

namespace orv {

namespace pace {

void restTimes(int slotCnt, int totalCnt, QString &slotLeft, QString &paperLeft)
{
    slotLeft = durationText(static_cast<long long>(kStandardSeconds) - slotCnt);
    paperLeft = durationText(static_cast<long long>(kPaperSeconds) - totalCnt);
}

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

void Paper::start()
{
    if (m_lpDivTime == 0)
        m_lpDivTime = pace::kStandardSeconds;
}

Paper::Tick Paper::tick()
{
    Tick tick;
    // After the end a stray tick changes nothing.
    if (m_totalCnt >= pace::kPaperSeconds)
        return tick;
    tick.counted = true;
    ++m_slotCnt;
    ++m_totalCnt;
    if (m_totalCnt == pace::kPaperSeconds) {
        tick.ended = true;
        return tick;
    }
    if (m_totalCnt == 1)
        tick.blacken = tick.marker = 0;
    if (m_slotCnt == pace::kStandardSeconds) {
        m_slotCnt = 0;
        m_stdQNo = m_stdQNo == 0 ? 2 : m_stdQNo + 1;
        tick.blacken = m_stdQNo - 1;
        tick.standardQuestion = QString::number(m_stdQNo);
    }
    pace::restTimes(m_slotCnt, m_totalCnt, tick.slotLeft, tick.paperLeft);
    tick.pace = recompute();
    return tick;
}

Paper::Next Paper::next()
{
    Next next;
    // After the paper's time nothing counts; the last question has no next.
    if (m_totalCnt >= pace::kPaperSeconds || m_doneCnt >= pace::kQuestions - 1)
        return next;
    next.counted = true;
    next.marker = ++m_doneCnt;
    next.question = QString::number(m_doneCnt + 1);
    next.pace = recompute();
    return next;
}

Paper::Pace Paper::recompute()
{
    const pace::SavedTime saved = pace::savedTime(m_totalCnt, m_doneCnt);
    m_lpDivTime = saved.lpDivTime;
    m_divTimeText = saved.divTimeText;
    return {saved.divTimeText, saved.savedText};
}

} // namespace orv
