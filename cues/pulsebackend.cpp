// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cues/pulsebackend.h"

#include "cues/pulseconnection.h"
#include "cues/pulsevoice.h"
#include "cues/wave.h"

namespace orv {

PulseBackend::PulseBackend() : m_connection(std::make_shared<PulseConnection>()) {}

PulseBackend::~PulseBackend() = default;

std::shared_ptr<const Wave> PulseBackend::wave(const QString &path)
{
    std::shared_ptr<const Wave> &known = m_waves[path];
    if (!known)
        known = std::make_shared<const Wave>(readWaveFile(path));
    return known;
}

void PulseBackend::preload(const QString &path)
{
    wave(path);
}

QString PulseBackend::problem(const QString &path)
{
    return wave(path)->problem;
}

std::unique_ptr<CueVoice> PulseBackend::play(const QString &path)
{
    std::shared_ptr<const Wave> sound = wave(path);
    if (!m_connection->running() || !sound->playable())
        return nullptr;
    return std::make_unique<PulseVoice>(m_connection, std::move(sound));
}

} // namespace orv

// The cue service finds the player by this name when it loads the module.
extern "C" Q_DECL_EXPORT orv::CueBackend *orvalen_make_cue_backend()
{
    return new orv::PulseBackend;
}
