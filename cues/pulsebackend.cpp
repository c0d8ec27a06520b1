// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cues/pulsebackend.h"

#include "cues/cuesound.h"
#include "cues/pulseconnection.h"
#include "cues/pulsevoice.h"

namespace orv {

PulseBackend::PulseBackend() : m_connection(std::make_shared<PulseConnection>()) {}

PulseBackend::~PulseBackend() = default;

CueSoundFuture PulseBackend::sound(const QString &path)
{
    CueSoundFuture &known = m_sounds[path];
    if (!known.valid())
        known = std::async(std::launch::async, [path] {
                    return std::make_shared<const CueSound>(readCueFile(path));
                }).share();
    return known;
}

void PulseBackend::preload(const QString &path)
{
    sound(path);
}

QString PulseBackend::problem(const QString &path)
{
    // Asked only once play() has refused the file, so it is decoded.
    return sound(path).get()->problem;
}

std::unique_ptr<CueVoice> PulseBackend::play(const QString &path)
{
    CueSoundFuture future = sound(path);
    if (!m_connection->running() || (isReady(future) && !future.get()->playable()))
        return nullptr;
    return std::make_unique<PulseVoice>(m_connection, std::move(future));
}

} // namespace orv

// The cue service finds the player by this name when it loads the module.
extern "C" Q_DECL_EXPORT orv::CueBackend *orvalen_make_cue_backend()
{
    return new orv::PulseBackend;
}
