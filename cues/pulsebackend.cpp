#include "cues/pulsebackend.h"

#include <QFile>
#include <QtEndian>

#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <pulse/context.h>
#include <pulse/stream.h>
#include <pulse/thread-mainloop.h>
#include <pulse/timeval.h>

namespace orv {

struct PulseBackend::Sample
{
    pa_sample_spec spec{PA_SAMPLE_INVALID, 0, 0};
    QByteArray pcm;
};

namespace {

// The PCM data of a RIFF wave file; an invalid spec for anything else.
PulseBackend::Sample readWave(const QString &path)
{
    PulseBackend::Sample sample;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > 64 * 1024 * 1024)
        return sample;
    const QByteArray wave = file.readAll();
    if (wave.size() < 12 || !wave.startsWith("RIFF") || wave.mid(8, 4) != "WAVE")
        return sample;
    pa_sample_spec spec{PA_SAMPLE_INVALID, 0, 0};
    for (qsizetype at = 12; at + 8 <= wave.size();) {
        const QByteArray id = wave.mid(at, 4);
        const qsizetype size = qFromLittleEndian<quint32>(wave.constData() + at + 4);
        const qsizetype body = at + 8;
        if (size > wave.size() - body)
            break;
        if (id == "fmt " && size >= 16) {
            const char *f = wave.constData() + body;
            const int format = qFromLittleEndian<quint16>(f);
            const int bits = qFromLittleEndian<quint16>(f + 14);
            spec.channels = quint8(qFromLittleEndian<quint16>(f + 2));
            spec.rate = qFromLittleEndian<quint32>(f + 4);
            spec.format = format != 1 ? PA_SAMPLE_INVALID
                          : bits == 8  ? PA_SAMPLE_U8
                          : bits == 16 ? PA_SAMPLE_S16LE
                          : bits == 32 ? PA_SAMPLE_S32LE
                                       : PA_SAMPLE_INVALID;
        } else if (id == "data" && pa_sample_spec_valid(&spec)) {
            sample.spec = spec;
            sample.pcm = wave.mid(body, size - size % qsizetype(pa_frame_size(&spec)));
            return sample;
        }
        at = body + size + (size & 1);
    }
    return sample;
}

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

// A connection to the sound server on a thread of its own. When the server
// goes away it is looked for again after half a second, then every ten
// seconds, and at once whenever wake() says its folder has changed.
class PulseConnection
{
public:
    PulseConnection()
    {
        m_loop = pa_threaded_mainloop_new();
        if (!m_loop)
            return;
        connect();
        pa_threaded_mainloop_start(m_loop);
    }

    ~PulseConnection()
    {
        if (!m_loop)
            return;
        pa_threaded_mainloop_stop(m_loop);
        dropContext();
        pa_threaded_mainloop_free(m_loop);
    }

    void lock() { pa_threaded_mainloop_lock(m_loop); }
    void unlock() { pa_threaded_mainloop_unlock(m_loop); }
    // The context while it is ready; call with the lock held.
    pa_context *ready() const
    {
        return m_context && pa_context_get_state(m_context) == PA_CONTEXT_READY ? m_context : nullptr;
    }
    bool running() const { return m_loop; }
    // The folders where the server's socket appears.
    QStringList folders() const
    {
        QStringList found;
        for (const QByteArray &path : m_paths)
            found << QFile::decodeName(path.left(path.lastIndexOf('/')));
        return found;
    }

    // Looks for the server at once unless connected.
    void wake()
    {
        lock();
        if (!m_context || !PA_CONTEXT_IS_GOOD(pa_context_get_state(m_context)))
            retryIn(0);
        unlock();
    }

private:
    pa_mainloop_api *api() const { return pa_threaded_mainloop_get_api(m_loop); }

    void connect()
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

    void dropContext()
    {
        if (!m_context)
            return;
        pa_context_set_state_callback(m_context, nullptr, nullptr);
        pa_context_disconnect(m_context);
        pa_context_unref(m_context);
        m_context = nullptr;
    }

    void retryIn(pa_usec_t usec)
    {
        timeval at;
        pa_timeval_add(pa_gettimeofday(&at), usec);
        if (m_retry)
            api()->time_restart(m_retry, &at);
        else
            m_retry = api()->time_new(api(), &at, &PulseConnection::onRetry, this);
    }

    static void onRetry(pa_mainloop_api *api, pa_time_event *event, const timeval *, void *self)
    {
        auto *connection = static_cast<PulseConnection *>(self);
        api->time_free(event);
        connection->m_retry = nullptr;
        connection->connect();
    }

    static void onState(pa_context *context, void *self)
    {
        const pa_context_state_t state = pa_context_get_state(context);
        if (state == PA_CONTEXT_FAILED || state == PA_CONTEXT_TERMINATED)
            static_cast<PulseConnection *>(self)->retryIn(500 * 1000);
    }

    const QByteArrayList m_paths = socketPaths();
    pa_threaded_mainloop *m_loop = nullptr;
    pa_context *m_context = nullptr;
    pa_time_event *m_retry = nullptr;
    bool m_looked = false; // the first attempt is a real one, wherever the server is
};

namespace {

// One cue: a stream fed from the sample as the server asks. Deleting it
// cuts the cue.
class PulseVoice : public CueVoice
{
public:
    PulseVoice(std::shared_ptr<PulseConnection> connection, std::shared_ptr<const PulseBackend::Sample> sample)
        : m_connection(std::move(connection)), m_sample(std::move(sample))
    {
        m_connection->lock();
        if (pa_context *context = m_connection->ready())
            start(context);
        m_connection->unlock();
    }

    ~PulseVoice() override
    {
        if (!m_stream)
            return;
        m_connection->lock();
        pa_stream_set_write_callback(m_stream, nullptr, nullptr);
        pa_stream_disconnect(m_stream);
        pa_stream_unref(m_stream);
        m_connection->unlock();
    }

private:
    void start(pa_context *context)
    {
        m_stream = pa_stream_new(context, "cue", &m_sample->spec, nullptr);
        if (!m_stream)
            return;
        pa_stream_set_write_callback(m_stream, &PulseVoice::onWrite, this);
        // A short buffer ahead: the cue starts as soon as the server can.
        pa_buffer_attr buffer;
        buffer.maxlength = uint32_t(-1);
        buffer.tlength = uint32_t(pa_usec_to_bytes(20 * 1000, &m_sample->spec));
        buffer.prebuf = uint32_t(-1);
        buffer.minreq = uint32_t(-1);
        buffer.fragsize = uint32_t(-1);
        pa_stream_connect_playback(m_stream, nullptr, &buffer, PA_STREAM_ADJUST_LATENCY, nullptr, nullptr);
    }

    static void onWrite(pa_stream *stream, size_t wanted, void *self)
    {
        auto *voice = static_cast<PulseVoice *>(self);
        const QByteArray &pcm = voice->m_sample->pcm;
        const size_t left = size_t(pcm.size()) - voice->m_written;
        const size_t now = qMin(wanted, left);
        if (now == 0)
            return;
        pa_stream_write(stream, pcm.constData() + voice->m_written, now, nullptr, 0, PA_SEEK_RELATIVE);
        voice->m_written += now;
    }

    std::shared_ptr<PulseConnection> m_connection;
    std::shared_ptr<const PulseBackend::Sample> m_sample;
    pa_stream *m_stream = nullptr;
    size_t m_written = 0;
};

} // namespace

PulseBackend::PulseBackend() : m_connection(std::make_shared<PulseConnection>())
{
    // A server that starts (again) makes its socket: look for it then.
    const QStringList folders = m_connection->folders();
    for (const QString &folder : folders)
        m_watch.addPath(folder);
    QObject::connect(&m_watch, &QFileSystemWatcher::directoryChanged, [this, folders] {
        m_watch.addPaths(folders);
        m_connection->wake();
    });
}

PulseBackend::~PulseBackend() = default;

const PulseBackend::Sample &PulseBackend::sample(const QString &path)
{
    std::shared_ptr<const Sample> &known = m_samples[path];
    if (!known)
        known = std::make_shared<const Sample>(readWave(path));
    return *known;
}

void PulseBackend::preload(const QString &path)
{
    sample(path);
}

std::unique_ptr<CueVoice> PulseBackend::play(const QString &path)
{
    if (!m_connection->running() || !pa_sample_spec_valid(&sample(path).spec))
        return nullptr;
    return std::make_unique<PulseVoice>(m_connection, m_samples.value(path));
}

} // namespace orv

// The cue service finds the player by this name when it loads the module.
extern "C" Q_DECL_EXPORT orv::CueBackend *orvalen_make_cue_backend()
{
    return new orv::PulseBackend;
}
