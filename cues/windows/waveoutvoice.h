// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "cues/decodingbackend.h"

#include <functional>
#include <memory>

#include <windows.h>
#include <mmreg.h>
#include <mmsystem.h>

class QWinEventNotifier;

namespace orv {

class CueDecoder;
struct CueSound;

// How a decoded sound is described to waveOut: plain PCM for 16-bit mono
// and stereo, the extensible form (float samples, more channels) for the
// rest.
WAVEFORMATEXTENSIBLE waveFormatOf(const CueSound &sound);

// One cue: the device opened with the whole sound in one buffer, and closed
// as soon as it has played, so nothing of the program holds the output
// between cues and it may sleep. A cue whose file is still being decoded
// opens the device once the decoder says it is done. Deleting the voice
// cuts the cue at once.
class WaveOutVoice : public DecodedVoice
{
public:
    // `refused` is called if the file turns out to be one that cannot be
    // played once decoded.
    WaveOutVoice(CueDecoder *decoder, const QString &path, std::function<void()> refused);
    ~WaveOutVoice() override;

    // The output is open: the cue sounds, or is about to.
    bool sounding() const { return m_out != nullptr; }

private:
    void start(std::shared_ptr<const CueSound> sound) override;
    // The device said something: once the buffer is done, close it.
    void signalled();
    void close();

    std::shared_ptr<const CueSound> m_sound;
    HANDLE m_event = nullptr;
    std::unique_ptr<QWinEventNotifier> m_notifier;
    HWAVEOUT m_out = nullptr;
    WAVEHDR m_buffer{};
};

} // namespace orv
