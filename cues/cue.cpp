#include "cues/cue.h"

#include "cues/soundeffectbackend.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

Q_LOGGING_CATEGORY(lcCue, "orvalen.cue", QtWarningMsg)

namespace orv {

namespace {

struct CueService
{
    std::unique_ptr<CueBackend> backend;
    std::unique_ptr<CueVoice> current;
};

CueService &service()
{
    static CueService s;
    return s;
}

bool isReadableFile(const QString &path)
{
    const QFileInfo info(path);
    return info.isFile() && info.isReadable();
}

} // namespace

QString resolveCueFile(const QString &name)
{
    if (name.isEmpty())
        return {};
    const QString local = QDir::current().absoluteFilePath(name);
    if (isReadableFile(local))
        return local;
    if (QCoreApplication::instance()) {
        const QString besideProgram = QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(name);
        if (isReadableFile(besideProgram))
            return besideProgram;
    }
    return {};
}

void PlayCue(const QString &name)
{
    qCDebug(lcCue).noquote() << "play" << name;
    CueService &s = service();
    // The new request replaces whatever is still sounding.
    s.current.reset();
    const QString path = resolveCueFile(name);
    if (path.isEmpty())
        return;
    if (!s.backend)
        s.backend = std::make_unique<SoundEffectBackend>();
    s.current = s.backend->play(path);
}

std::unique_ptr<CueBackend> setCueBackend(std::unique_ptr<CueBackend> backend)
{
    CueService &s = service();
    s.current.reset();
    std::swap(s.backend, backend);
    return backend;
}

void stopCues()
{
    CueService &s = service();
    s.current.reset();
    s.backend.reset();
}

} // namespace orv
