// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "cues/cue.h"
#include "cues/cuedecoder.h"

#include <QMetaObject>

#include <functional>
#include <memory>

namespace orv {

// What every player in the sound module shares: each cue file is decoded
// once, by the decoder program in the module's folder, and kept; a file
// known to be unplayable makes no voice, and one that turns out so while a
// voice waits for it is reported through refusedLater.
class DecodingBackend : public CueBackend
{
public:
    explicit DecodingBackend(const QString &folder);
    std::unique_ptr<CueVoice> play(const QString &path) final;
    void preload(const QString &path) final;
    QString problem(const QString &path) final;

protected:
    // A voice for the file, which is playable or still being decoded; null
    // when there is nothing to play it on. `refused` is for the voice.
    virtual std::unique_ptr<CueVoice> voice(const QString &path, std::function<void()> refused) = 0;

    CueDecoder m_decoder;
};

// A voice that starts once its file is decoded, at once when it already is.
class DecodedVoice : public CueVoice
{
public:
    ~DecodedVoice() override;

protected:
    // Calls start() with the file's sound once it is decoded, or `refused`
    // if it cannot be played; never after the voice is gone. Called from
    // the player's own constructor, when it is ready to start.
    void startWhenDecoded(CueDecoder *decoder, const QString &path, std::function<void()> refused);
    virtual void start(std::shared_ptr<const CueSound> sound) = 0;

private:
    void take(std::shared_ptr<const CueSound> sound);

    std::function<void()> m_refused;
    QMetaObject::Connection m_waiting;
};

} // namespace orv
