// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "essay/essayrun.h"

#include "common/timetext.h"

namespace orv {

namespace essay {

namespace {
// Where each phase begins; the next one's beginning is where it ends.
constexpr std::array<int, kPhases + 1> kBounds{0, 600, 1800, 3600, 4200, 5400, kRunTicks};

// The phase whose ticks hold t; t runs from 1 to kRunTicks - 1.
Phase phaseAt(int t)
{
    int i = 0;
    while (t >= kBounds[size_t(i) + 1])
        ++i;
    return Phase(i);
}
} // namespace

int phaseFrom(Phase phase)
{
    return kBounds[size_t(phase)];
}

int phaseTo(Phase phase)
{
    return kBounds[size_t(phase) + 1];
}

} // namespace essay

using namespace essay;

namespace {
// The time left in the current question and in the whole run after tick t;
// the tick question 2 begins on still reads as the end of question 1.
RunFigures restTimes(int t)
{
    const int question = t <= kQuestionTicks ? kQuestionTicks : kRunTicks;
    return {std::nullopt, durationText(question - t), durationText(kRunTicks - t)};
}

EssayRun::PhaseLeft phaseLeft(Phase phase, int t)
{
    const int left = phaseTo(phase) - t;
    return {left, durationText(left)};
}
} // namespace

EssayRun::Initial EssayRun::initial()
{
    Initial shown;
    for (int i = 0; i < kPhases; ++i)
        shown.phases[size_t(i)] = phaseLeft(Phase(i), phaseFrom(Phase(i)));
    shown.figures = restTimes(0);
    shown.figures.questionNo = QStringLiteral("1");
    return shown;
}

std::optional<EssayRun::Tick> EssayRun::tick()
{
    if (m_elapsedSec >= kRunTicks)
        return std::nullopt;
    Tick tick;
    const int t = ++m_elapsedSec;
    if (t == kRunTicks) {
        tick.ended = true;
        tick.hidden = Phase::Writing2;
        tick.figures = runEndFigures();
        tick.cue = Cue::End;
        return tick;
    }
    const Phase phase = phaseAt(t);
    tick.current = Current{phase, phaseLeft(phase, t)};
    tick.figures = restTimes(t);
    // A phase begins: the one before goes, with a cue (never at the run's
    // start: ticks count from 1).
    if (t == phaseFrom(phase)) {
        tick.hidden = Phase(int(phase) - 1);
        tick.cue = Cue::Milestone;
    }
    if (t == phaseFrom(Phase::Issues2))
        tick.figures.questionNo = QStringLiteral("2");
    return tick;
}

} // namespace orv
