// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "cues/decodingbackend.h"

#include <pulse/context.h>
#include <pulse/stream.h>

#include <functional>
#include <memory>

namespace orv {

class CueDecoder;
class PulseConnection;
struct CueSound;

// One cue: a stream given the whole sound when the server first asks,
// drained and then ended, so nothing of the program stays on the server
// between cues and the output device may sleep. A cue whose file is still
// being decoded asks for its stream once the decoder says it is done.
// Deleting the voice cuts the cue at once.
class PulseVoice : public DecodedVoice
{
public:
    // `refused` is called if the file turns out to be one that cannot be
    // played once decoded.
    PulseVoice(std::shared_ptr<PulseConnection> connection, CueDecoder *decoder, const QString &path,
               std::function<void()> refused);
    ~PulseVoice() override;

    // Makes the stream; called with the connection's lock held, once the
    // sound is decoded.
    void start(pa_context *context);

private:
    static void onWrite(pa_stream *stream, size_t wanted, void *self);
    static void onDrained(pa_stream *stream, int success, void *self);
    // Asks the connection for the stream.
    void start(std::shared_ptr<const CueSound> sound) override;

    std::shared_ptr<PulseConnection> m_connection;
    std::shared_ptr<const CueSound> m_sound;
    pa_stream *m_stream = nullptr;
    pa_operation *m_drain = nullptr;
    size_t m_written = 0;
};

} // namespace orv
