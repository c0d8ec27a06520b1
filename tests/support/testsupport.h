#pragma once

#include "cues/cue.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QtMessageHandler>

class QWidget;

#include <memory>

namespace orv::test {

// A cue backend that records what would sound: every play and every cut.
class RecordingCueBackend : public CueBackend
{
public:
    struct Log
    {
        QStringList played;   // file names (without folder) in order
        QStringList stopped;  // file names whose voice was cut or ended
        int sounding = 0;     // voices alive now
    };

    explicit RecordingCueBackend(std::shared_ptr<Log> log) : m_log(std::move(log)) {}
    std::unique_ptr<CueVoice> play(const QString &path) override;

private:
    std::shared_ptr<Log> m_log;
};

// Installs a recording cue backend for the lifetime of the object.
class CueRecorder
{
public:
    CueRecorder();
    ~CueRecorder();
    const RecordingCueBackend::Log &log() const { return *m_log; }
    void clear() { m_log->played.clear(); m_log->stopped.clear(); }

private:
    std::shared_ptr<RecordingCueBackend::Log> m_log;
};

// Captures the debug lines of one logging category while alive.
class LogCapture
{
public:
    explicit LogCapture(const char *category);
    ~LogCapture();
    QStringList lines() const;

private:
    QtMessageHandler m_previous;
};

// Records the windows that asked the desktop for attention while alive.
class AttentionRecorder
{
public:
    AttentionRecorder();
    ~AttentionRecorder();
    const QStringList &windows() const { return *m_windows; }

private:
    std::shared_ptr<QStringList> m_windows;
};

// Closes a window as the window manager does when the user clicks its close
// box: a spontaneous close event, unlike QWidget::close().
void closeFromWindowSystem(QWidget *window);

// Makes the five cue files (tiny silent waves) in a folder.
void writeCueFiles(const QString &folder);

} // namespace orv::test
