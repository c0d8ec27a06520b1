// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cues/cue.h"

#include "common/cuefile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QLoggingCategory>
#include <QSet>

namespace {
Q_LOGGING_CATEGORY(lcCue, "orvalen.cue", QtWarningMsg)
}

namespace orv {

namespace {

struct CueService
{
    std::unique_ptr<CueBackend> backend;
    std::unique_ptr<CueVoice> current;
    QSet<QString> refused; // files warned about
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

// The program's own folder (a build), the folder at `relative` from it (as
// installed under a prefix), then `installed` (the configured place).
QStringList programFolders(const QString &relative, const QString &installed)
{
    QStringList folders;
    if (QCoreApplication::instance()) {
        const QDir program(QCoreApplication::applicationDirPath());
        folders << program.path() << QDir::cleanPath(program.filePath(relative));
    }
    folders << installed;
    return folders;
}

// Without the sound module every cue is silent, as without a sound server.
class SilentBackend : public CueBackend
{
public:
    std::unique_ptr<CueVoice> play(const QString &) override { return nullptr; }
};

// The real player comes from the sound module: beside the program (a build),
// then where it is installed. Never from the current directory.
std::unique_ptr<CueBackend> loadSoundModule()
{
    QStringList folders =
        programFolders(QStringLiteral(ORVALEN_MODULE_RELATIVE_DIR), QStringLiteral(ORVALEN_MODULE_DIR));
    folders.removeDuplicates();
    // Given its own folder, where its decoder program lies.
    using Make = CueBackend *(*)(const QString &);
    for (const QString &folder : std::as_const(folders)) {
        const QString path = QDir(folder).filePath(QStringLiteral(ORVALEN_SOUND_MODULE));
        if (!isReadableFile(path))
            continue;
        // Never unloaded: the player's code must outlive every cue.
        QLibrary module(path);
        if (const auto make = reinterpret_cast<Make>(module.resolve("orvalen_make_cue_backend")))
            if (CueBackend *backend = make(folder))
                return std::unique_ptr<CueBackend>(backend);
        qCWarning(lcCue).noquote() << "cannot load the sound module" << path << module.errorString();
    }
    qCWarning(lcCue) << "no sound module found: cues are silent";
    return std::make_unique<SilentBackend>();
}

} // namespace

QStringList cueFolders()
{
    QStringList folders{QDir::currentPath()};
    folders << programFolders(QStringLiteral("../share/orvalen"), QStringLiteral(ORVALEN_DATA_DIR));
    folders.removeDuplicates();
    return folders;
}

QString findCueFile(const QString &name, const QStringList &folders)
{
    // Bare names only: a cue name never reaches outside its folder, by any
    // system's way of writing a path (a drive is one on Windows).
    if (name.isEmpty() || name == QLatin1String("..") || name == QLatin1String(".") || name.contains(u'/')
        || name.contains(u'\\') || name.contains(u':'))
        return {};
    for (const QString &folder : folders) {
        QString path = QDir(folder).absoluteFilePath(name);
        if (isReadableFile(path))
            return path;
    }
    return {};
}

QString resolveCueFile(const QString &name)
{
    return findCueFile(name, cueFolders());
}

namespace {

// Says once why a cue's file cannot be played, when the backend knows.
void warnRefused(const QString &path)
{
    CueService &s = service();
    const QString problem = s.backend->problem(path);
    if (problem.isEmpty() || s.refused.contains(path))
        return;
    s.refused.insert(path);
    qCWarning(lcCue).noquote() << QStringLiteral("cannot play %1: %2").arg(QFileInfo(path).fileName(), problem);
}

void install(std::unique_ptr<CueBackend> &backend)
{
    if (backend)
        backend->refusedLater = warnRefused;
}

} // namespace

void PlayCue(Cue cue)
{
    const QString name = cueFile(cue);
    qCDebug(lcCue).noquote() << "play" << name;
    CueService &s = service();
    // The new request replaces whatever is still sounding, before anything
    // else: two cues never overlap, and a missing file still cuts.
    s.current.reset();
    const QString path = resolveCueFile(name);
    if (path.isEmpty())
        return;
    prepareCues();
    s.current = s.backend->play(path);
    if (!s.current)
        warnRefused(path);
}

std::unique_ptr<CueBackend> setCueBackend(std::unique_ptr<CueBackend> backend)
{
    CueService &s = service();
    s.current.reset();
    s.refused.clear();
    std::swap(s.backend, backend);
    install(s.backend);
    return backend;
}

void prepareCues()
{
    CueService &s = service();
    if (s.backend)
        return;
    s.backend = loadSoundModule();
    install(s.backend);
    // The effects must go while the application object still exists, not
    // with the other statics after it.
    qAddPostRoutine(stopCues);
    for (const Cue cue : kCues) {
        const QString path = resolveCueFile(cueFile(cue));
        if (!path.isEmpty())
            s.backend->preload(path);
    }
}

void stopCues()
{
    CueService &s = service();
    s.current.reset();
    s.backend.reset();
}

} // namespace orv
