// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "cues/cue.h"
#include "cues/cuedecoder.h"

namespace orv {

// Plays cues through Windows' waveOut, on the default output as it is when
// the cue starts, so a cue follows unplugged headphones; with no output
// device a cue is silent. Each cue file is decoded once, by the decoder
// program in the module's folder, and kept; a cue asked for before its file
// is decoded starts as soon as it is.
class WaveOutBackend : public CueBackend
{
public:
    explicit WaveOutBackend(const QString &folder);
    std::unique_ptr<CueVoice> play(const QString &path) override;
    void preload(const QString &path) override;
    QString problem(const QString &path) override;

private:
    CueDecoder m_decoder;
};

} // namespace orv
