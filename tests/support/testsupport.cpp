#include "support/testsupport.h"

#include "common/clock.h"
#include "common/periodictimer.h"
#include "widgets/platform.h"

#include <QFileInfo>
#include <QLabel>
#include <QLoggingCategory>
#include <QMutex>
#include <QTest>
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
    explicit RecordingVoice(std::shared_ptr<CueRecorder::Log> log) : m_log(std::move(log)) { ++m_log->sounding; }
    ~RecordingVoice() override { --m_log->sounding; }

private:
    std::shared_ptr<CueRecorder::Log> m_log;
};

class RecordingBackend : public CueBackend
{
public:
    explicit RecordingBackend(std::shared_ptr<CueRecorder::Log> log) : m_log(std::move(log)) {}
    std::unique_ptr<CueVoice> play(const QString &path) override
    {
        m_log->played << QFileInfo(path).fileName();
        return std::make_unique<RecordingVoice>(m_log);
    }

private:
    std::shared_ptr<CueRecorder::Log> m_log;
};

QMutex captureMutex;
QByteArray captureCategory;
QStringList capturedLines;

void captureHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    QMutexLocker lock(&captureMutex);
    if (type == QtDebugMsg && context.category && captureCategory == context.category)
        capturedLines << message;
}

template <typename Each>
QString joined(const QWidget *window, const char *names, QChar separator, Each each)
{
    QString out;
    for (const QString &name : QString::fromLatin1(names).split(u' ')) {
        if (!out.isEmpty() && !separator.isNull())
            out += separator;
        auto *widget = window->findChild<QWidget *>(name);
        out += widget ? each(widget) : QStringLiteral("<no %1>").arg(name);
    }
    return out;
}

} // namespace

CueRecorder::CueRecorder() : m_log(std::make_shared<Log>())
{
    setCueBackend(std::make_unique<RecordingBackend>(m_log));
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

FakeDesktop::FakeDesktop()
{
    setTimeOfDaySource([this] { return now; });
    setInputBoxSource([this](QWidget *, const QString &title, const QString &prompt) {
        ++dialogs;
        dialog = title + u'|' + prompt;
        return answer;
    });
    setAttentionSink([this](QWidget *window) { attention << window->objectName(); });
}

FakeDesktop::~FakeDesktop()
{
    setTimeOfDaySource({});
    setInputBoxSource({});
    setAttentionSink({});
}

QString texts(const QWidget *window, const char *names)
{
    return joined(window, names, u'|', [](QWidget *w) {
        auto *label = qobject_cast<QLabel *>(w);
        return label ? label->text() : QStringLiteral("<not a label>");
    });
}

QString shown(const QWidget *window, const char *names)
{
    return joined(window, names, QChar(), [window](QWidget *w) {
        return QString(w->isVisibleTo(window) ? u'1' : u'0');
    });
}

PeriodicTimer *timer(const QObject *window, const char *name)
{
    return window->findChild<PeriodicTimer *>(QLatin1String(name));
}

void call(QObject *window, const char *handler, int times)
{
    for (int i = 0; i < times; ++i)
        QVERIFY(QMetaObject::invokeMethod(window, handler));
}

void closeFromWindowSystem(QWidget *window)
{
    window->winId(); // make sure it has a platform window
    QWindowSystemInterface::handleCloseEvent<QWindowSystemInterface::SynchronousDelivery>(window->windowHandle());
}

} // namespace orv::test
