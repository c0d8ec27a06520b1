#include "cues/pulsebackend.h"

#include "cues/pulseconnection.h"

#include <QFile>
#include <QtEndian>

#include <pulse/stream.h>

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
