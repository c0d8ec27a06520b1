// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "cues/cue.h"

#include <pulse/context.h>
#include <pulse/stream.h>

#include <atomic>
#include <memory>

namespace orv {

class PulseConnection;
struct Wave;

// One cue: a stream given the whole sound when the server first asks,
// drained and then ended, so nothing of the program stays on the server
// between cues and the output device may sleep. Deleting the voice cuts the
// cue at once.
class PulseVoice : public CueVoice
{
public:
    PulseVoice(std::shared_ptr<PulseConnection> connection, std::shared_ptr<const Wave> wave);
    ~PulseVoice() override;
    qint64 latencyMicroseconds() const override { return m_latency; }

    // Makes the stream; called with the connection's lock held.
    void start(pa_context *context);

private:
    static void onWrite(pa_stream *stream, size_t wanted, void *self);
    static void onDrained(pa_stream *stream, int success, void *self);
    static void onStarted(pa_stream *stream, void *self);
    static void onTiming(pa_stream *stream, int success, void *self);

    std::shared_ptr<PulseConnection> m_connection;
    std::shared_ptr<const Wave> m_wave;
    pa_stream *m_stream = nullptr;
    pa_operation *m_drain = nullptr;
    pa_operation *m_timing = nullptr;
    size_t m_written = 0;
    std::atomic<qint64> m_latency{-1};
};

} // namespace orv
