// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The cue file reader on any bytes, through libsndfile reading them from
// memory: never a crash, and what it accepts is whole frames of sound a
// server takes, within the limits; what it refuses says why.
#include "cues/cuesound.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray file = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const orv::CueSound sound = orv::decodeCue(file);
    if (!sound.playable()) {
        if (!sound.samples.isEmpty())
            std::abort();
        return 0;
    }
    const qsizetype frame = sound.channels * (sound.format == orv::CueSound::Format::S16 ? 2 : 4);
    const bool sane = sound.channels >= 1 && sound.channels <= orv::kMaxCueChannels && sound.rate >= 1
                      && sound.rate <= orv::kMaxCueRate && !sound.samples.isEmpty() && sound.samples.size() % frame == 0
                      && sound.samples.size() <= orv::kMaxCueSampleBytes
                      && sound.samples.size() / frame <= qsizetype(orv::kMaxCueSeconds) * sound.rate;
    if (!sane)
        std::abort();
    return 0;
}
