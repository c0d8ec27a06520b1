#include "cues/pulseconnection.h"

#include <QFile>

#include <pulse/timeval.h>

#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace orv {

namespace {

// The unix sockets a server of this session listens on; none when the
// server is elsewhere (PULSE_SERVER naming another address).
QByteArrayList socketPaths()
{
    const QByteArray server = qgetenv("PULSE_SERVER");
    if (!server.isEmpty())
        return server.startsWith("unix:") ? QByteArrayList{server.mid(5)} : QByteArrayList{};
    if (qEnvironmentVariableIsSet("PULSE_RUNTIME_PATH"))
        return {qgetenv("PULSE_RUNTIME_PATH") + "/native"};
    const QByteArray runtime = qEnvironmentVariableIsSet("XDG_RUNTIME_DIR")
                                   ? qgetenv("XDG_RUNTIME_DIR")
                                   : "/run/user/" + QByteArray::number(getuid());
    return {runtime + "/pulse/native", "/var/run/pulse/native"};
}

// Whether one of the sockets takes a connection: a look that costs
// microseconds, where a context costs milliseconds (it reads its
// configuration afresh each time).
bool listening(const QByteArrayList &paths)
{
    for (const QByteArray &path : paths) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        if (size_t(path.size()) >= sizeof address.sun_path)
            return true;
        std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
        const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        const bool answered = fd >= 0 && ::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0;
        if (fd >= 0)
            close(fd);
        if (answered)
            return true;
    }
    return paths.isEmpty();
}

} // namespace

PulseConnection::PulseConnection() : m_paths(socketPaths())
{
    m_loop = pa_threaded_mainloop_new();
    if (!m_loop)
        return;
    connect();
    pa_threaded_mainloop_start(m_loop);
}

PulseConnection::~PulseConnection()
{
    if (!m_loop)
        return;
    pa_threaded_mainloop_stop(m_loop);
    dropContext();
    pa_threaded_mainloop_free(m_loop);
}

pa_context *PulseConnection::ready() const
{
    return m_context && pa_context_get_state(m_context) == PA_CONTEXT_READY ? m_context : nullptr;
}

QStringList PulseConnection::folders() const
{
    QStringList found;
    for (const QByteArray &path : m_paths)
        found << QFile::decodeName(path.left(path.lastIndexOf('/')));
    return found;
}

void PulseConnection::wake()
{
    lock();
    if (!m_context || !PA_CONTEXT_IS_GOOD(pa_context_get_state(m_context)))
        retryIn(0);
    unlock();
}

void PulseConnection::connect()
{
    dropContext();
    if (m_looked && !listening(m_paths)) {
        retryIn(10 * 1000 * 1000);
        return;
    }
    m_looked = true;
    m_context = pa_context_new(api(), "Orvalen");
    if (!m_context) {
        retryIn(10 * 1000 * 1000);
        return;
    }
    pa_context_set_state_callback(m_context, &PulseConnection::onState, this);
    // No autospawn: a desktop without a sound server stays silent.
    if (pa_context_connect(m_context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0)
        retryIn(10 * 1000 * 1000);
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

void PulseConnection::retryIn(pa_usec_t usec)
{
    timeval at;
    pa_timeval_add(pa_gettimeofday(&at), usec);
    if (m_retry)
        api()->time_restart(m_retry, &at);
    else
        m_retry = api()->time_new(api(), &at, &PulseConnection::onRetry, this);
}

void PulseConnection::onRetry(pa_mainloop_api *api, pa_time_event *event, const timeval *, void *self)
{
    auto *connection = static_cast<PulseConnection *>(self);
    api->time_free(event);
    connection->m_retry = nullptr;
    connection->connect();
}

void PulseConnection::onState(pa_context *context, void *self)
{
    // After a loss the server often comes straight back.
    const pa_context_state_t state = pa_context_get_state(context);
    if (state == PA_CONTEXT_FAILED || state == PA_CONTEXT_TERMINATED)
        static_cast<PulseConnection *>(self)->retryIn(500 * 1000);
}

} // namespace orv
