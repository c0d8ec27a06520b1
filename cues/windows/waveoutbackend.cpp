// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cues/windows/waveoutbackend.h"

#include "cues/windows/waveoutvoice.h"

#include <thread>

#include <windows.h>
#include <mmsystem.h>

namespace orv {

WaveOutBackend::WaveOutBackend(const QString &folder)
    : DecodingBackend(folder)
{
    // The first use of waveOut in a process loads and starts the system's
    // audio stack, which can take a second: done now, beside the GUI
    // thread, so that the first cue is not late.
    std::thread([] { waveOutGetNumDevs(); }).detach();
}

std::unique_ptr<CueVoice> WaveOutBackend::voice(const QString &path, std::function<void()> refused)
{
    return std::make_unique<WaveOutVoice>(&m_decoder, path, std::move(refused));
}

} // namespace orv

// The cue service finds the player by this name when it loads the module.
extern "C" Q_DECL_EXPORT orv::CueBackend *orvalen_make_cue_backend(const QString &folder)
{
    return new orv::WaveOutBackend(folder);
}
