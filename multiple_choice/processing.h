#pragma once

// The per-question window's refresh, without widgets: from the elapsed
// counter and the question's frozen budget to the texts, bars and cue.

#include <QString>
#include <QStringView>

namespace orv::processing {

inline constexpr int kBarTwipsPerSecond = 5;

// One row: the time left against a budget, or the overrun.
struct Row
{
    QString text;   // time text, "-" in front of an overrun
    bool overrun;   // red bar when true, blue otherwise
    int barTwips;   // 5 twips a second of time left or overrun
};

struct Refresh
{
    int elapsed;          // E: the counter, rounded half to even
    QString elapsedText;
    Row required;         // against the frozen budget
    Row standard;         // against 210 seconds
    bool cue;             // "s02.wav" on the refresh at exactly 210 seconds
};

Refresh refresh(QStringView counterText, int divTime);

} // namespace orv::processing
