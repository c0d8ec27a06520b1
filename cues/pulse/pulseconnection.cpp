// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cues/pulse/pulseconnection.h"

#include "cues/pulse/pulsevoice.h"

namespace orv {

PulseConnection::PulseConnection()
{
    m_loop = pa_threaded_mainloop_new();
    if (!m_loop)
        return;
    pa_threaded_mainloop_start(m_loop);
    lock();
    connect();
    unlock();
}

PulseConnection::~PulseConnection()
{
    if (!m_loop)
        return;
    pa_threaded_mainloop_stop(m_loop);
    dropContext();
    pa_threaded_mainloop_free(m_loop);
}

CueLink::State PulseConnection::state() const
{
    if (!m_context)
        return CueLink::State::Down;
    const pa_context_state_t state = pa_context_get_state(m_context);
    if (state == PA_CONTEXT_READY)
        return CueLink::State::Ready;
    return PA_CONTEXT_IS_GOOD(state) ? CueLink::State::Connecting : CueLink::State::Down;
}

void PulseConnection::play(PulseVoice *voice)
{
    const CueLink::Request request = m_link.request(voice, state());
    if (request.connect)
        connect();
    else if (request.startNow)
        voice->start(m_context);
}

void PulseConnection::cut(PulseVoice *voice)
{
    m_link.cut(voice);
}

void PulseConnection::connect()
{
    dropContext();
    m_context = pa_context_new(pa_threaded_mainloop_get_api(m_loop), "Orvalen");
    if (!m_context)
        return;
    pa_context_set_state_callback(m_context, &PulseConnection::onState, this);
    // No autospawn: a desktop without a sound server stays silent.
    if (pa_context_connect(m_context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0)
        onState(m_context, this);
}

void PulseConnection::dropContext()
{
    if (!m_context)
        return;
    pa_context_set_state_callback(m_context, nullptr, nullptr);
    pa_context_disconnect(m_context);
    pa_context_unref(m_context);
    m_context = nullptr;
}

void PulseConnection::onState(pa_context *, void *self)
{
    auto *connection = static_cast<PulseConnection *>(self);
    if (CueVoice *voice = connection->m_link.changed(connection->state()))
        static_cast<PulseVoice *>(voice)->start(connection->m_context);
}

} // namespace orv
