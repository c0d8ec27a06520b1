// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cues/cuelink.h"

#include <utility>

namespace orv {

CueLink::Request CueLink::request(CueVoice *cue, State state)
{
    if (state == State::Ready) {
        m_waiting = nullptr;
        return {true, false};
    }
    // A newer cue replaces the one that waited.
    m_waiting = cue;
    return {false, state == State::Down};
}

CueVoice *CueLink::changed(State state)
{
    if (state == State::Connecting)
        return nullptr;
    // Ready: the waiting cue starts. Down: it is dropped, silent.
    CueVoice *cue = std::exchange(m_waiting, nullptr);
    return state == State::Ready ? cue : nullptr;
}

void CueLink::cut(const CueVoice *cue)
{
    if (m_waiting == cue)
        m_waiting = nullptr;
}

} // namespace orv
