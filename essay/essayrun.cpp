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
// The time left in the current question and in the whole run after tick t.
// Floor division makes the count to the end of the first hour, negative
// during question 2, read as the time left in question 2.
RunFigures restTimes(int elapsedSec)
{
    return {std::nullopt, durationText(static_cast<long long>(kQuestionTicks) - elapsedSec),
            durationText(static_cast<long long>(kRunTicks) - elapsedSec)};
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
    const int from = phaseFrom(phase);
    if (t == from) // never the run's start: ticks count from 1
        tick.cue = Cue::Milestone;
    if (phase != Phase::Issues1)
        tick.hidden = Phase(int(phase) - 1);
    tick.phase = phase;
    tick.left = phaseLeft(phase, t);
    tick.figures = restTimes(t);
    if (phase == Phase::Issues2)
        tick.figures.questionNo = QStringLiteral("2");
    return tick;
}

} // namespace orv
