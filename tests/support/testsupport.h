#pragma once

#include "cues/cue.h"

#include <QStringList>
#include <QTime>
#include <QtMessageHandler>

#include <memory>

class QObject;
class QWidget;

namespace orv {
class PeriodicTimer;
}

namespace orv::test {

// Records what would sound while alive: every cue played, and how many
// voices still sound (a new cue must cut the last one).
class CueRecorder
{
public:
    CueRecorder();
    ~CueRecorder();
    QStringList played() const { return m_log->played; }
    int sounding() const { return m_log->sounding; }
    void clear() { m_log->played.clear(); }

    struct Log
    {
        QStringList played;
        int sounding = 0;
    };

private:
    std::shared_ptr<Log> m_log;
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

// While alive: the time of day is `now`, the input dialog answers `answer`
// (and counts its calls), and requests for attention are recorded.
struct FakeDesktop
{
    FakeDesktop();
    ~FakeDesktop();
    QTime now{12, 0};
    QString answer;
    int dialogs = 0;
    QString dialog;  // the last dialog's title and prompt, joined by '|'

    QStringList attention;  // object names of the windows that asked
};

// The texts of a window's labels, joined by '|': texts(w, "LabelQNo Label1").
QString texts(const QWidget *window, const char *names);
// '1' for each named control visible in its window, '0' for a hidden one.
QString shown(const QWidget *window, const char *names);
PeriodicTimer *timer(const QObject *window, const char *name);
// Calls a handler by name, as outside tools do.
void call(QObject *window, const char *handler, int times = 1);

// Closes a window as the window manager does when the user clicks its close
// box: a spontaneous close event, unlike QWidget::close().
void closeFromWindowSystem(QWidget *window);

} // namespace orv::test
