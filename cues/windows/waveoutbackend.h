// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "cues/decodingbackend.h"

namespace orv {

// Plays cues through Windows' waveOut, on the default output as it is when
// the cue starts, so a cue follows unplugged headphones; with no output
// device a cue is silent.
class WaveOutBackend : public DecodingBackend
{
public:
    explicit WaveOutBackend(const QString &folder);

private:
    std::unique_ptr<CueVoice> voice(const QString &path, std::function<void()> refused) override;
};

} // namespace orv
