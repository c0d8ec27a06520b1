// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "cues/cue.h"

#include <pulse/context.h>
#include <pulse/stream.h>

#include <chrono>
#include <future>
#include <memory>

namespace orv {

class PulseConnection;
struct CueSound;

// A cue file's sound, decoded on a thread of its own.
using CueSoundFuture = std::shared_future<std::shared_ptr<const CueSound>>;

inline bool isReady(const CueSoundFuture &sound)
{
    return sound.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
}

// One cue: a stream given the whole sound when the server first asks,
// drained and then ended, so nothing of the program stays on the server
// between cues and the output device may sleep. A cue whose file is still
// being decoded asks for its stream once it is. Deleting the voice cuts the
// cue at once.
class PulseVoice : public CueVoice
{
public:
    PulseVoice(std::shared_ptr<PulseConnection> connection, CueSoundFuture sound);
    ~PulseVoice() override;

    // Makes the stream; called with the connection's lock held, once the
    // sound is decoded.
    void start(pa_context *context);

private:
    static void onDecoded(pa_mainloop_api *api, pa_time_event *event, const struct timeval *, void *self);
    static void onWrite(pa_stream *stream, size_t wanted, void *self);
    static void onDrained(pa_stream *stream, int success, void *self);
    // Asks the connection for the stream when the sound can be played.
    void request();

    std::shared_ptr<PulseConnection> m_connection;
    CueSoundFuture m_future;
    std::shared_ptr<const CueSound> m_sound;
    pa_time_event *m_decoding = nullptr;
    pa_stream *m_stream = nullptr;
    pa_operation *m_drain = nullptr;
    size_t m_written = 0;
};

} // namespace orv
