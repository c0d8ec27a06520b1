// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The sound cues the timers play, named by the moment each marks. A model
// names a cue; the cue service plays its file.

#include <QString>

#include <array>

namespace orv {

enum class Cue {
    Countdown, // "s01.wav": each digit of the start countdown
    Milestone, // "s02.wav": a question's standard time reached; a new essay phase
    Start,     // "s03.wav": the run begins
    End,       // "s04.wav": the run is over
    Alarm,     // "s05.wav": the kitchen timer's alarm, every second
};

inline constexpr std::array kCues{Cue::Countdown, Cue::Milestone, Cue::Start, Cue::End, Cue::Alarm};

// The bare name of a cue's file, "s01.wav" to "s05.wav".
QString cueFile(Cue cue);

} // namespace orv
