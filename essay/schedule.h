#pragma once

// The essay paper's timing, without widgets: a countdown of three ticks, then
// a run of 7200 ticks through two questions of three phases each. Each tick
// takes the window's counter and yields the ordered list of what the window
// must do; the window only applies it.

#include <QString>

#include <vector>

namespace orv::essay {

inline constexpr int kRunTicks = 7200;
inline constexpr int kQuestionTicks = 3600;

struct Effect
{
    enum class Kind {
        Caption,  // target label's caption := text
        Width,    // target bar's width := value twips, left edge kept
        Hide,     // target control hidden
        Interval, // target timer's interval := value ms
        Enable,   // target timer's enabled := value != 0
        Cue,      // play the cue file named by target
    };

    Kind kind;
    const char *target; // object name of a control or timer, or a cue file
    QString text = {};
    int value = 0;
};

using Effects = std::vector<Effect>;

// The countdown tick: "②", "①", then the start of the run.
Effects countdownTick(int &countdownStep);

// The run tick. After the last tick the run is over and further calls do
// nothing.
Effects runTick(int &elapsedSec);

// The time left in the current question and in the whole run after tick t.
void restTimes(int elapsedSec, QString &questionText, QString &runText);

} // namespace orv::essay
