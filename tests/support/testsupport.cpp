#include "support/testsupport.h"

#include "widgets/platform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QMutex>
#include <QWidget>
#include <QWindow>

// The window-system entry point that platform plugins use to deliver a close
// request. Its header is Qt's private one, which Debian packages apart; the
// symbol itself is exported by QtGui.
class QWindowSystemInterface
{
public:
    struct SynchronousDelivery;
    template <typename Delivery>
    static bool handleCloseEvent(QWindow *window);
};

namespace orv::test {

namespace {

class RecordingVoice : public CueVoice
{
public:
    RecordingVoice(QString name, std::shared_ptr<RecordingCueBackend::Log> log)
        : m_name(std::move(name)), m_log(std::move(log))
    {
        ++m_log->sounding;
    }
    ~RecordingVoice() override
    {
        --m_log->sounding;
        m_log->stopped << m_name;
    }

private:
    QString m_name;
    std::shared_ptr<RecordingCueBackend::Log> m_log;
};

QMutex captureMutex;
QByteArray captureCategory;
QStringList capturedLines;

void captureHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtDebugMsg && context.category && captureCategory == context.category) {
        QMutexLocker lock(&captureMutex);
        capturedLines << message;
    }
}

} // namespace

std::unique_ptr<CueVoice> RecordingCueBackend::play(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    m_log->played << name;
    return std::make_unique<RecordingVoice>(name, m_log);
}

CueRecorder::CueRecorder()
    : m_log(std::make_shared<RecordingCueBackend::Log>())
{
    setCueBackend(std::make_unique<RecordingCueBackend>(m_log));
}

CueRecorder::~CueRecorder()
{
    setCueBackend(nullptr);
}

LogCapture::LogCapture(const char *category)
{
    {
        QMutexLocker lock(&captureMutex);
        captureCategory = category;
        capturedLines.clear();
    }
    QLoggingCategory::setFilterRules(QStringLiteral("%1.debug=true").arg(QLatin1String(category)));
    m_previous = qInstallMessageHandler(captureHandler);
}

LogCapture::~LogCapture()
{
    qInstallMessageHandler(m_previous);
    QLoggingCategory::setFilterRules(QString());
}

QStringList LogCapture::lines() const
{
    QMutexLocker lock(&captureMutex);
    return capturedLines;
}

AttentionRecorder::AttentionRecorder()
    : m_windows(std::make_shared<QStringList>())
{
    setAttentionSink([list = m_windows](QWidget *window) { *list << window->objectName(); });
}

AttentionRecorder::~AttentionRecorder()
{
    setAttentionSink({});
}

void closeFromWindowSystem(QWidget *window)
{
    window->winId(); // make sure it has a platform window
    QWindowSystemInterface::handleCloseEvent<QWindowSystemInterface::SynchronousDelivery>(window->windowHandle());
}

void writeCueFiles(const QString &folder)
{
    // A minimal valid PCM wave: header and a few silent samples.
    QByteArray wav("RIFF");
    const QByteArray header = QByteArray::fromHex("24000000"
                                                  "57415645666d7420"
                                                  "10000000010001002256000044ac00000200100064617461"
                                                  "00000000");
    wav.append(header);
    for (int i = 1; i <= 5; ++i) {
        QFile f(QDir(folder).filePath(QStringLiteral("s%1.wav").arg(i, 2, 10, QLatin1Char('0'))));
        if (f.open(QIODevice::WriteOnly))
            f.write(wav);
    }
}

} // namespace orv::test
