// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "cues/decodingbackend.h"

#include <memory>

namespace orv {

class PulseConnection;

// Plays cues as PulseAudio streams (PipeWire answers the same protocol) to
// whatever output is the default when the cue starts, so a cue follows
// unplugged headphones. Without a sound server a cue is silent; the player
// connects again when a cue is requested after the server went away.
class PulseBackend : public DecodingBackend
{
public:
    explicit PulseBackend(const QString &folder);
    ~PulseBackend() override;

private:
    std::unique_ptr<CueVoice> voice(const QString &path, std::function<void()> refused) override;

    std::shared_ptr<PulseConnection> m_connection;
};

} // namespace orv
