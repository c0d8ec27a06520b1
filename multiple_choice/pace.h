#pragma once

// The multiple-choice paper's pace arithmetic, without widgets: 60 questions
// in 12,600 seconds, a standard 210 seconds each.

#include <QString>

namespace orv::pace {

inline constexpr int kQuestions = 60;
inline constexpr int kPaperSeconds = 12600;
inline constexpr int kStandardSeconds = 210;

// The time left in the current standard slot and in the paper.
void GetRestTime(int ecnt, int tcnt, QString &eTime, QString &tTime);

struct SavedTime
{
    int lpDivTime;       // seconds available for each question not yet finished
    QString divTimeText; // its time text
    QString savedText;   // the advantage over the standard pace, or "-"
};

// The user's pace and advantage after `totalCnt` seconds with `doneCnt`
// questions finished.
SavedTime GetSavedTime(int totalCnt, int doneCnt);

} // namespace orv::pace
