// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cues/windows/waveoutvoice.h"

#include "cues/cuesound.h"

#include <QWinEventNotifier>

namespace orv {

namespace {
// The speakers a stream of so many channels is for, as Windows lays them
// out (KSAUDIO_SPEAKER_MONO ... _7POINT1_SURROUND); beyond those, the first
// positions in order, and none past the 18 there are.
DWORD channelMask(int channels)
{
    static constexpr DWORD standard[] = {0x4, 0x3, 0x7, 0x33, 0x37, 0x3f, 0x13f, 0x63f};
    if (channels >= 1 && channels <= 8)
        return standard[channels - 1];
    return channels <= 18 ? (DWORD{1} << channels) - 1 : 0;
}

// KSDATAFORMAT_SUBTYPE_PCM and _IEEE_FLOAT: the format tag in Microsoft's
// base GUID.
GUID subtype(WORD tag)
{
    return {tag, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};
}
} // namespace

WAVEFORMATEXTENSIBLE waveFormatOf(const CueSound &sound)
{
    const bool s16 = sound.format == CueSound::Format::S16;
    const bool plain = s16 && sound.channels <= 2;
    const WORD bits = s16 ? 16 : 32;
    WAVEFORMATEXTENSIBLE format{};
    format.Format.wFormatTag = plain ? WAVE_FORMAT_PCM : WAVE_FORMAT_EXTENSIBLE;
    format.Format.nChannels = WORD(sound.channels);
    format.Format.nSamplesPerSec = DWORD(sound.rate);
    format.Format.wBitsPerSample = bits;
    format.Format.nBlockAlign = WORD(sound.channels * bits / 8);
    format.Format.nAvgBytesPerSec = DWORD(sound.rate) * format.Format.nBlockAlign;
    if (!plain) {
        format.Format.cbSize = sizeof(WAVEFORMATEXTENSIBLE) - sizeof(WAVEFORMATEX);
        format.Samples.wValidBitsPerSample = bits;
        format.dwChannelMask = channelMask(sound.channels);
        format.SubFormat = subtype(s16 ? WAVE_FORMAT_PCM : WAVE_FORMAT_IEEE_FLOAT);
    }
    return format;
}

WaveOutVoice::WaveOutVoice(CueDecoder *decoder, const QString &path, std::function<void()> refused)
{
    startWhenDecoded(decoder, path, std::move(refused));
}

WaveOutVoice::~WaveOutVoice()
{
    close();
    if (m_event)
        CloseHandle(m_event);
}

void WaveOutVoice::start(std::shared_ptr<const CueSound> sound)
{
    m_sound = std::move(sound);
    m_event = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    if (!m_event)
        return;
    // The wave mapper is the default output as it is now; with no output
    // device the open fails and the cue is silent.
    const WAVEFORMATEXTENSIBLE format = waveFormatOf(*m_sound);
    if (waveOutOpen(&m_out, WAVE_MAPPER, &format.Format, DWORD_PTR(m_event), 0, CALLBACK_EVENT) != MMSYSERR_NOERROR) {
        m_out = nullptr;
        return;
    }
    m_buffer.lpData = const_cast<char *>(m_sound->samples.constData());
    m_buffer.dwBufferLength = DWORD(m_sound->samples.size());
    if (waveOutPrepareHeader(m_out, &m_buffer, sizeof m_buffer) != MMSYSERR_NOERROR
        || waveOutWrite(m_out, &m_buffer, sizeof m_buffer) != MMSYSERR_NOERROR) {
        close();
        return;
    }
    // The device sets the event when the buffer is done (and on opening).
    m_notifier = std::make_unique<QWinEventNotifier>(m_event);
    QObject::connect(m_notifier.get(), &QWinEventNotifier::activated, m_notifier.get(), [this] { signalled(); });
}

void WaveOutVoice::signalled()
{
    if (m_buffer.dwFlags & WHDR_DONE)
        close();
}

void WaveOutVoice::close()
{
    m_notifier.reset();
    if (!m_out)
        return;
    // Cuts whatever still plays; the buffer is handed back at once.
    waveOutReset(m_out);
    if (m_buffer.dwFlags & WHDR_PREPARED)
        waveOutUnprepareHeader(m_out, &m_buffer, sizeof m_buffer);
    waveOutClose(m_out);
    m_out = nullptr;
}

} // namespace orv
