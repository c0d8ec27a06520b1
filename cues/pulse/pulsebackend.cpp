// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cues/pulse/pulsebackend.h"

#include "cues/pulse/pulseconnection.h"
#include "cues/pulse/pulsevoice.h"

namespace orv {

PulseBackend::PulseBackend(const QString &folder)
    : DecodingBackend(folder), m_connection(std::make_shared<PulseConnection>())
{
}

PulseBackend::~PulseBackend() = default;

std::unique_ptr<CueVoice> PulseBackend::voice(const QString &path, std::function<void()> refused)
{
    if (!m_connection->running())
        return nullptr;
    return std::make_unique<PulseVoice>(m_connection, &m_decoder, path, std::move(refused));
}

} // namespace orv

// The cue service finds the player by this name when it loads the module.
extern "C" Q_DECL_EXPORT orv::CueBackend *orvalen_make_cue_backend(const QString &folder)
{
    return new orv::PulseBackend(folder);
}
