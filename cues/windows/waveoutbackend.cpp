// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cues/windows/waveoutbackend.h"

#include "cues/windows/waveoutvoice.h"

#include <QDir>

#include <thread>

#include <windows.h>
#include <mmsystem.h>

namespace orv {

WaveOutBackend::WaveOutBackend(const QString &folder)
    : m_decoder(QDir(folder).filePath(QStringLiteral(ORVALEN_CUE_DECODER)))
{
    // The first use of waveOut in a process loads and starts the system's
    // audio stack, which can take a second: done now, beside the GUI
    // thread, so that the first cue is not late.
    std::thread([] { waveOutGetNumDevs(); }).detach();
}

void WaveOutBackend::preload(const QString &path)
{
    m_decoder.decode(path);
}

QString WaveOutBackend::problem(const QString &path)
{
    const auto sound = m_decoder.sound(path);
    return sound ? sound->problem : QString();
}

std::unique_ptr<CueVoice> WaveOutBackend::play(const QString &path)
{
    m_decoder.decode(path);
    if (const auto sound = m_decoder.sound(path); sound && !sound->playable())
        return nullptr;
    return std::make_unique<WaveOutVoice>(&m_decoder, path, [this, path] {
        if (refusedLater)
            refusedLater(path);
    });
}

} // namespace orv

// The cue service finds the player by this name when it loads the module.
extern "C" Q_DECL_EXPORT orv::CueBackend *orvalen_make_cue_backend(const QString &folder)
{
    return new orv::WaveOutBackend(folder);
}
