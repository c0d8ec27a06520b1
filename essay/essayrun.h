#pragma once

// The essay paper's timing, without widgets: the start countdown, then a
// run of 7200 ticks through two questions of three phases each. Each tick
// says what the window shows: the current phase's bar and text, the phase
// whose bar and text go, the times left, and the cue.

#include "common/timedrun.h"

#include <QString>

#include <optional>

namespace orv {

namespace essay {

inline constexpr int kRunTicks = 7200;
inline constexpr int kQuestionTicks = 3600;

// The six phases in the order they run: issues, outline and writing of
// question 1, then of question 2. A window keeps one bar and one text of
// each, indexed by phase.
enum class Phase { Issues1, Outline1, Writing1, Issues2, Outline2, Writing2 };
inline constexpr int kPhases = 6;

// The first tick of a phase, and the tick it ends before.
int phaseFrom(Phase phase);
int phaseTo(Phase phase);

// The time left in the current question and in the whole run after tick t.
void restTimes(int elapsedSec, QString &questionText, QString &runText);

} // namespace essay

class EssayRun
{
public:
    struct Tick
    {
        bool counted = false;           // false after the end: nothing changed
        bool ended = false;             // the run is over: the dashes and the cue
        essay::Phase phase{};           // the current phase, whose bar and text change
        int barTwips = 0;               // its bar's width: the seconds left in it
        QString phaseText;              // its time left
        std::optional<essay::Phase> hidden; // the phase whose bar and text go
        QString questionNo;             // the question number when it changes, else empty
        QString questionLeft;           // time left in the question
        QString runLeft;                // time left in the run
        QString cue;                    // empty for none
    };

    StartCountdown &countdown() { return m_countdown; }
    const StartCountdown &countdown() const { return m_countdown; }

    Tick tick();
    int elapsedSec() const { return m_elapsedSec; }

private:
    StartCountdown m_countdown;
    int m_elapsedSec = 0;
};

} // namespace orv
