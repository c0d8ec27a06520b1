// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "cues/cue.h"
#include "cues/cuedecoder.h"

#include <memory>

namespace orv {

class PulseConnection;

// Plays cues as PulseAudio streams (PipeWire answers the same protocol) to
// whatever output is the default when the cue starts, so a cue follows
// unplugged headphones. Each cue file is decoded once, by the decoder
// program in the module's folder, and kept; a cue asked for before its file
// is decoded starts as soon as it is. Without a sound server a cue is
// silent; the player connects again when a cue is requested after the
// server went away.
class PulseBackend : public CueBackend
{
public:
    explicit PulseBackend(const QString &folder);
    ~PulseBackend() override;
    std::unique_ptr<CueVoice> play(const QString &path) override;
    void preload(const QString &path) override;
    QString problem(const QString &path) override;

private:
    std::shared_ptr<PulseConnection> m_connection;
    CueDecoder m_decoder;
};

} // namespace orv
