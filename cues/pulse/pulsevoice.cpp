// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cues/pulse/pulsevoice.h"

#include "cues/cuesound.h"
#include "cues/pulse/pulseconnection.h"

#include <pulse/timeval.h>

namespace orv {

namespace {
pa_sample_spec specOf(const CueSound &sound)
{
    return {sound.format == CueSound::Format::S16 ? PA_SAMPLE_S16NE : PA_SAMPLE_FLOAT32NE, uint32_t(sound.rate),
            uint8_t(sound.channels)};
}

} // namespace

PulseVoice::PulseVoice(std::shared_ptr<PulseConnection> connection, CueDecoder *decoder, const QString &path,
                       std::function<void()> refused)
    : m_connection(std::move(connection))
{
    startWhenDecoded(decoder, path, std::move(refused));
}

PulseVoice::~PulseVoice()
{
    m_connection->lock();
    m_connection->cut(this);
    // The stream may outlive this voice on the server's side for a moment:
    // no callback of its may reach the voice.
    if (m_drain) {
        pa_operation_cancel(m_drain);
        pa_operation_unref(m_drain);
    }
    if (m_stream) {
        pa_stream_set_write_callback(m_stream, nullptr, nullptr);
        if (PA_STREAM_IS_GOOD(pa_stream_get_state(m_stream)))
            pa_stream_disconnect(m_stream);
        pa_stream_unref(m_stream);
    }
    m_connection->unlock();
}

void PulseVoice::start(std::shared_ptr<const CueSound> sound)
{
    m_connection->lock();
    m_sound = std::move(sound);
    m_connection->play(this);
    m_connection->unlock();
}

void PulseVoice::start(pa_context *context)
{
    const pa_sample_spec spec = specOf(*m_sound);
    pa_channel_map map;
    pa_channel_map_init_extend(&map, spec.channels, PA_CHANNEL_MAP_DEFAULT);
    m_stream = pa_stream_new(context, "cue", &spec, &map);
    if (!m_stream)
        return;
    pa_stream_set_write_callback(m_stream, &PulseVoice::onWrite, this);
    // A short buffer ahead: the cue starts as soon as the server can.
    pa_buffer_attr buffer;
    buffer.maxlength = uint32_t(-1);
    buffer.tlength = uint32_t(pa_usec_to_bytes(20 * PA_USEC_PER_MSEC, &spec));
    buffer.prebuf = uint32_t(-1);
    buffer.minreq = uint32_t(-1);
    buffer.fragsize = uint32_t(-1);
    pa_stream_connect_playback(m_stream, nullptr, &buffer, PA_STREAM_ADJUST_LATENCY, nullptr, nullptr);
}

void PulseVoice::onWrite(pa_stream *stream, size_t wanted, void *self)
{
    auto *voice = static_cast<PulseVoice *>(self);
    const QByteArray &pcm = voice->m_sound->samples;
    // The server asks for a short buffer's worth, which sets how soon the
    // cue starts; it is given all the sound its buffer holds, so a busy
    // machine that wakes this thread late cannot break the cue in two.
    size_t room = wanted;
    if (const pa_buffer_attr *buffer = pa_stream_get_buffer_attr(stream); buffer && buffer->maxlength > buffer->tlength)
        room = qMax(wanted, size_t(buffer->maxlength - buffer->tlength));
    const size_t now = qMin(room, size_t(pcm.size()) - voice->m_written);
    if (now > 0) {
        pa_stream_write(stream, pcm.constData() + voice->m_written, now, nullptr, 0, PA_SEEK_RELATIVE);
        voice->m_written += now;
    }
    if (voice->m_written == size_t(pcm.size()) && !voice->m_drain) {
        // All of it is with the server: end the stream once it has played.
        pa_stream_set_write_callback(stream, nullptr, nullptr);
        voice->m_drain = pa_stream_drain(stream, &PulseVoice::onDrained, voice);
    }
}

void PulseVoice::onDrained(pa_stream *stream, int, void *self)
{
    auto *voice = static_cast<PulseVoice *>(self);
    pa_operation_unref(voice->m_drain);
    voice->m_drain = nullptr;
    pa_stream_disconnect(stream);
}

} // namespace orv
