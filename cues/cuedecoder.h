// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "cues/cuesound.h"

#include <QHash>
#include <QObject>

#include <chrono>
#include <memory>

namespace orv {

// How long a cue file may take to decode before it is given up: a minute of
// MP3 takes a few dozen milliseconds, so only a file that makes a codec
// hang comes near it.
inline constexpr std::chrono::milliseconds kMaxDecodeTime{5000};

// Decodes cue files, each in a process of its own (the decoder program,
// orvalen-cue-decoder, runs decodeCue() on the file and answers with
// packCueSound()), so that no file can hold the program up:
// - a decode that runs past its bound is given up and its process killed,
//   so a codec that hangs costs one core for that long at most;
// - destroying the decoder (quitting) kills what still runs and waits for
//   none of it;
// - what a codec prints goes nowhere, and a codec that crashes takes only
//   its own process;
// - the memory a decode takes goes with its process: the program keeps the
//   samples and nothing else.
// It lives on the thread that makes it, whose event loop it needs, and never
// blocks it.
class CueDecoder : public QObject
{
    Q_OBJECT

public:
    explicit CueDecoder(QString program, std::chrono::milliseconds bound = kMaxDecodeTime);
    ~CueDecoder() override;

    // Starts decoding the file, unless it is decoded or being decoded.
    void decode(const QString &path);
    // The file's sound, or why it cannot be played, once decoded; null
    // before.
    std::shared_ptr<const CueSound> sound(const QString &path) const { return m_sounds.value(path); }

signals:
    // The file's sound is known now.
    void decoded(const QString &path);

private:
    void finish(const QString &path, CueSound sound);

    QString m_program;
    std::chrono::milliseconds m_bound;
    QHash<QString, std::shared_ptr<const CueSound>> m_sounds;
    QHash<QString, QByteArray> m_answers; // of the files being decoded, as far as they came
};

} // namespace orv
