#include "multiple_choice/pace.h"

#include "common/numbers.h"
#include "common/timetext.h"

namespace orv::pace {

void GetRestTime(int ecnt, int tcnt, QString &eTime, QString &tTime)
{
    eTime = durationText(static_cast<long long>(kStandardSeconds) - ecnt);
    tTime = durationText(static_cast<long long>(kPaperSeconds) - tcnt);
}

SavedTime GetSavedTime(int totalCnt, int doneCnt)
{
    SavedTime result;
    // The divisor counts the current question too; it is never 0 because
    // at most 59 questions can be finished.
    const int remaining = kQuestions - doneCnt;
    result.lpDivTime = remaining > 0
        ? roundToInt(static_cast<double>(kPaperSeconds - static_cast<long long>(totalCnt)) / remaining)
        : 0;
    result.divTimeText = durationText(result.lpDivTime);
    const long long advantage = static_cast<long long>(kStandardSeconds) * doneCnt - totalCnt;
    result.savedText = advantage <= 0 ? QStringLiteral("-") : durationText(advantage);
    return result;
}

} // namespace orv::pace
