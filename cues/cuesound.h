// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Reading a cue file: whatever libsndfile decodes, whatever the file's name
// says (WAV in PCM, float, mu-law, A-law, IMA and MS ADPCM or GSM 6.10,
// FLAC, Ogg Vorbis and Opus, MP3, AIFF and the rest), as samples a
// PulseAudio server takes, or the reason it cannot be played. No sound
// server needed; the sound module, its tests and the fuzz target use it.

#include <QByteArray>
#include <QString>

namespace orv {

struct CueSound
{
    // 16-bit samples for files of at most 16 bits a sample (PCM, mu-law,
    // A-law, ADPCM, GSM); 32-bit float for the rest, which lose precision
    // as 16 bits. Both in the machine's byte order. Unsigned 8-bit files
    // come out centred on 0: a server that fills a gap with zeros
    // (PipeWire does) would otherwise play a full-scale tone.
    enum class Format { S16, Float32 };

    Format format = Format::S16;
    int channels = 0;
    int rate = 0;
    QByteArray samples; // interleaved, whole frames
    QString problem;    // why it cannot be played (libsndfile's reason); empty when it can

    bool playable() const { return problem.isEmpty(); }
};

// What a PulseAudio server takes (PA_CHANNELS_MAX, PA_RATE_MAX).
inline constexpr int kMaxCueChannels = 32;
inline constexpr int kMaxCueRate = 384000;
// A cue file is read no further than its first 32 MiB; of its sound, no more
// than the first 60 s is kept, nor more than 32 MiB of samples. A candidate's
// long recording plays its beginning and costs no more than that.
inline constexpr qint64 kMaxCueFileBytes = qint64{32} << 20;
inline constexpr int kMaxCueSeconds = 60;
inline constexpr qint64 kMaxCueSampleBytes = qint64{32} << 20;

// The sound in a file's bytes; a file cut short gives the samples that are
// there.
CueSound decodeCue(const QByteArray &file);

// The same, from the first kMaxCueFileBytes of a file.
CueSound readCueFile(const QString &path);

// A decoded sound as the decoder process hands it to the program, and back.
// Unpacking checks what it is given as it would check a file: an answer cut
// short or out of bounds is a refusal, never a sound.
QByteArray packCueSound(const CueSound &sound);
CueSound unpackCueSound(QByteArray packed);
// How long a packed sound is, from its first bytes; 0 while they do not
// say, or say nothing a decoder answers.
qint64 packedSize(const QByteArray &start);

} // namespace orv
