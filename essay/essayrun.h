// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The essay paper's timing, without widgets: a run of 7200 ticks through
// two questions of three phases each. Each tick says what the window shows:
// the current phase's bar and text, the phase whose bar and text go, the
// times left, and the cue.

#include "common/timedrun.h"

#include <QString>

#include <array>
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

} // namespace essay

class EssayRun
{
public:
    // A phase's bar, a twip for each second left in it, and its time left.
    struct PhaseLeft
    {
        int barTwips = 0;
        QString text;
    };

    // The phase the run is in, whose bar and text change.
    struct Current
    {
        essay::Phase phase{};
        PhaseLeft left;
    };

    struct Tick
    {
        bool ended = false;                 // the run is over: the dashes and the end's cue
        std::optional<Current> current;     // nothing at the end
        std::optional<essay::Phase> hidden; // the phase that ended: its bar and text go
        RunFigures figures;                 // the question, and the time left in it and the run
        std::optional<Cue> cue;
    };

    // What the window shows before the first tick: every phase whole.
    struct Initial
    {
        std::array<PhaseLeft, essay::kPhases> phases;
        RunFigures figures;
    };
    static Initial initial();

    // One tick of the run; nothing once it is over.
    std::optional<Tick> tick();
    int elapsedSec() const { return m_elapsedSec; }

private:
    int m_elapsedSec = 0;
};

} // namespace orv
