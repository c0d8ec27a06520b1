// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cues/pulse/pulsebackend.h"

#include "cues/cuesound.h"
#include "cues/pulse/pulseconnection.h"
#include "cues/pulse/pulsevoice.h"

#include <QDir>

namespace orv {

PulseBackend::PulseBackend(const QString &folder)
    : m_connection(std::make_shared<PulseConnection>()),
      m_decoder(QDir(folder).filePath(QStringLiteral(ORVALEN_CUE_DECODER)))
{
}

PulseBackend::~PulseBackend() = default;

void PulseBackend::preload(const QString &path)
{
    m_decoder.decode(path);
}

QString PulseBackend::problem(const QString &path)
{
    const auto sound = m_decoder.sound(path);
    return sound ? sound->problem : QString();
}

std::unique_ptr<CueVoice> PulseBackend::play(const QString &path)
{
    m_decoder.decode(path);
    const auto sound = m_decoder.sound(path);
    if (!m_connection->running() || (sound && !sound->playable()))
        return nullptr;
    return std::make_unique<PulseVoice>(m_connection, &m_decoder, path, [this, path] {
        if (refusedLater)
            refusedLater(path);
    });
}

} // namespace orv

// The cue service finds the player by this name when it loads the module.
extern "C" Q_DECL_EXPORT orv::CueBackend *orvalen_make_cue_backend(const QString &folder)
{
    return new orv::PulseBackend(folder);
}
