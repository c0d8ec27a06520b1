// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The cue file reader on any bytes: never a crash, and what it accepts is
// whole frames of sound a server takes; what it refuses says why.
#include "cues/wave.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray file = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const orv::Wave wave = orv::readWave(file);
    if (!wave.playable()) {
        if (wave.problem.isEmpty() || !wave.pcm.isEmpty())
            std::abort();
        return 0;
    }
    const bool sane = wave.channels >= 1 && wave.channels <= orv::kMaxWaveChannels && wave.rate >= 1
                      && wave.rate <= orv::kMaxWaveRate && !wave.pcm.isEmpty()
                      && wave.pcm.size() % wave.frameBytes() == 0 && wave.pcm.size() <= 2 * file.size();
    if (!sane)
        std::abort();
    return 0;
}
