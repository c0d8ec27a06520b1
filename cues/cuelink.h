// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What the player does with a cue, given the state of its connection to the
// sound server. Kept apart from PulseAudio so the decisions can be tested
// without a server.
//
// The connection is made when the player starts, and again whenever a cue
// is requested while there is none (after the server went away, or was not
// there at all). A cue requested while the connection is being made waits
// for it; only the newest cue waits, and a cue cut before the connection is
// ready never starts.

namespace orv {

class CueVoice;

class CueLink
{
public:
    enum class State { Down, Connecting, Ready };

    struct Request
    {
        bool startNow = false; // the connection is ready: start the cue
        bool connect = false;  // there is no connection: make one
    };

    // A cue is requested.
    Request request(CueVoice *cue, State state);
    // The connection's state has changed: the cue to start now, if any.
    CueVoice *changed(State state);
    // A cue is cut: it waits no longer.
    void cut(const CueVoice *cue);

private:
    CueVoice *m_waiting = nullptr;
};

} // namespace orv
