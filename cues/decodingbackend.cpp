// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cues/decodingbackend.h"

#include <QDir>

namespace orv {

DecodingBackend::DecodingBackend(const QString &folder)
    : m_decoder(QDir(folder).filePath(QStringLiteral(ORVALEN_CUE_DECODER)))
{
}

void DecodingBackend::preload(const QString &path)
{
    m_decoder.decode(path);
}

QString DecodingBackend::problem(const QString &path)
{
    const auto sound = m_decoder.sound(path);
    return sound ? sound->problem : QString();
}

std::unique_ptr<CueVoice> DecodingBackend::play(const QString &path)
{
    m_decoder.decode(path);
    if (const auto sound = m_decoder.sound(path); sound && !sound->playable())
        return nullptr;
    return voice(path, [this, path] {
        if (refusedLater)
            refusedLater(path);
    });
}

DecodedVoice::~DecodedVoice()
{
    QObject::disconnect(m_waiting);
}

void DecodedVoice::startWhenDecoded(CueDecoder *decoder, const QString &path, std::function<void()> refused)
{
    m_refused = std::move(refused);
    if (auto sound = decoder->sound(path)) {
        take(std::move(sound));
        return;
    }
    m_waiting = QObject::connect(decoder, &CueDecoder::decoded, decoder, [this, decoder, path](const QString &done) {
        if (done != path)
            return;
        QObject::disconnect(m_waiting);
        take(decoder->sound(path));
    });
}

void DecodedVoice::take(std::shared_ptr<const CueSound> sound)
{
    if (sound->playable())
        start(std::move(sound));
    else
        m_refused();
}

} // namespace orv
