// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Reading a cue file: a RIFF WAVE file as a PulseAudio server can play it,
// or the reason it cannot be played. No sound server needed; the sound
// module and the tests both use it.

#include <QByteArray>
#include <QString>

namespace orv {

struct Wave
{
    // Little-endian samples. 8-bit files come out as 16-bit: an 8-bit
    // stream's silence is 128, not 0, and a server that fills a gap in it
    // with zeros (PipeWire does) would play a full-scale tone.
    enum class Format { S16, S24, S32, Float32 };

    Format format = Format::S16;
    int channels = 0;
    quint32 rate = 0;
    QByteArray pcm;  // whole frames only
    QString problem; // why it cannot be played; empty when it can

    bool playable() const { return problem.isEmpty(); }
    int frameBytes() const;
};

// What a PulseAudio server takes (PA_CHANNELS_MAX, PA_RATE_MAX), and the
// largest cue file read.
inline constexpr int kMaxWaveChannels = 32;
inline constexpr quint32 kMaxWaveRate = 384000;
inline constexpr qint64 kMaxWaveBytes = qint64{64} << 20;

// The sound in a whole file's bytes. PCM of 8, 16, 24 or 32 bits and 32-bit
// float, in a plain or an extensible header, with chunks in any order; a
// data chunk cut short gives the samples that are there.
Wave readWave(const QByteArray &file);

// The same, from a file; files over kMaxWaveBytes are not read.
Wave readWaveFile(const QString &path);

} // namespace orv
