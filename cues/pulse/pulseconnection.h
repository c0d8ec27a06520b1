// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "cues/cuelink.h"

#include <pulse/context.h>
#include <pulse/thread-mainloop.h>

namespace orv {

class PulseVoice;

// A connection to the sound server on a thread of its own. It is made at
// once, and made again when a cue is requested while there is none; a cue
// requested meanwhile starts as soon as it is ready (see CueLink).
class PulseConnection
{
public:
    PulseConnection();
    ~PulseConnection();

    bool running() const { return m_loop; }
    // The loop's timers and events; use them with the lock held.
    pa_mainloop_api *api() { return pa_threaded_mainloop_get_api(m_loop); }
    void lock() { pa_threaded_mainloop_lock(m_loop); }
    void unlock() { pa_threaded_mainloop_unlock(m_loop); }

    // Starts the voice now or once the server is ready; call with the lock
    // held.
    void play(PulseVoice *voice);
    // The voice is going: it must not start later. Call with the lock held.
    void cut(PulseVoice *voice);

private:
    void connect();
    void dropContext();
    CueLink::State state() const;
    static void onState(pa_context *context, void *self);

    pa_threaded_mainloop *m_loop = nullptr;
    pa_context *m_context = nullptr;
    CueLink m_link;
};

} // namespace orv
