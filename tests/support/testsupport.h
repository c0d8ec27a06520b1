// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "widgets/formref.h"

#include <QApplication>
#include <QPalette>
#include <QStringList>
#include <QTime>
#include <QtMessageHandler>

class QObject;
class QWidget;

namespace orv {
class PeriodicTimer;
}

namespace orv::test {

// The desktop around the program, faked while alive: the time of day is
// `now`, the input dialog answers `answer`, and what would sound, the
// dialogs, the requests for attention and the diagnostics are recorded.
struct FakeDesktop
{
    FakeDesktop();
    ~FakeDesktop();
    QTime now{12, 0};
    QString answer;
    QStringList played;     // cue files, in order
    int sounding = 0;       // voices not yet cut (a new cue must cut the last)
    int mostSounding = 0;   // the most ever at once
    int dialogs = 0;
    QStringList attention;  // object names of the windows that asked
    QStringList logged;     // the lines on orvalen.shell and orvalen.cue
    QtMessageHandler previousHandler;
};

// The desktop's colour scheme, switched as a desktop switches it: in its
// platform theme (the tests run under tests/support/desktop, dark at first),
// then a word through the window system that the theme changed; as KDE's
// theme does, by setting the application's palette as well; or as Debian 12's
// qt6ct does, by setting every control's palette unless the program has an
// application palette of its own. Dark again when this goes, with the
// application's palette as it was.
struct DesktopScheme
{
    enum Path { Theme, ApplicationPalette, EveryControl };
    explicit DesktopScheme(Path path) : path(path) {}
    ~DesktopScheme();
    void set(bool dark) const;
    const Path path;
    const QPalette application = QApplication::palette();
};

// The top-level window of that object name, or nullptr.
QWidget *window(const QString &name);
inline QWidget *window(const char *name) { return window(QString::fromLatin1(name)); }
// The texts of a window's labels, joined by '|': texts(w, "LabelQNo Label1").
QString texts(const QWidget *window, const char *names);
// '1' for each named control visible in its window, '0' for a hidden one.
QString shown(const QWidget *window, const char *names);
PeriodicTimer *timer(const QObject *window, const char *name);
// The window's clocks by name, each as "Timer1 1000 on" (or "off"), joined by '|'.
QString clocks(const QObject *window);
// The steps below return false, with a warning that says why, when the
// window has no such clock or handler; call them as QVERIFY(test::call(...)),
// so that the test stops there.

// Fires a window's clock as if its interval had passed: whatever the clock
// is connected to runs, at once.
[[nodiscard]] bool fire(QObject *window, const char *name, int times = 1);
// Calls a handler by name, as outside tools do.
[[nodiscard]] bool call(QObject *window, const char *handler, int times = 1);
// Runs "Handler", "Handler*N" or "Handler:int argument" steps on a window.
[[nodiscard]] bool run(QObject *window, const QString &steps);

// A fresh window of that class, shown as the menu shows it. Tests step the
// clocks themselves.
template <class T>
T *opened()
{
    T *window = formRef<T>().renew();
    window->show();
    return window;
}

// Closes a window as the window manager does when the user clicks its close
// box: a spontaneous close event, unlike QWidget::close().
void closeFromWindowSystem(QWidget *window);

} // namespace orv::test
