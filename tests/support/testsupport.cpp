// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/testsupport.h"

#include "common/clock.h"
#include "common/periodictimer.h"
#include "cues/cue.h"
#include "widgets/platform.h"

#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QLoggingCategory>
#include <QTest>
#include <QWindow>
#include <qpa/qwindowsysteminterface.h>

namespace orv::test {

namespace {

struct RecordingVoice : CueVoice
{
    explicit RecordingVoice(FakeDesktop *desktop) : desktop(desktop)
    {
        desktop->mostSounding = qMax(desktop->mostSounding, ++desktop->sounding);
    }
    ~RecordingVoice() override { --desktop->sounding; }
    FakeDesktop *desktop;
};

struct RecordingBackend : CueBackend
{
    explicit RecordingBackend(FakeDesktop *desktop) : desktop(desktop) {}
    std::unique_ptr<CueVoice> play(const QString &path) override
    {
        desktop->played << QFileInfo(path).fileName();
        return std::make_unique<RecordingVoice>(desktop);
    }
    FakeDesktop *desktop;
};

FakeDesktop *current = nullptr;

void logged(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (current && type == QtDebugMsg && context.category && QByteArray(context.category).startsWith("orvalen."))
        current->logged << message;
}

} // namespace

FakeDesktop::FakeDesktop()
{
    setCueBackend(std::make_unique<RecordingBackend>(this));
    setTimeOfDaySource([this] { return now; });
    setInputBoxSource([this](QWidget *, const QString &, const QString &) {
        ++dialogs;
        return answer;
    });
    setAttentionSink([this](QWidget *window) { attention << window->objectName(); });
    current = this;
    QLoggingCategory::setFilterRules(QStringLiteral("orvalen.*.debug=true"));
    previousHandler = qInstallMessageHandler(test::logged);
}

FakeDesktop::~FakeDesktop()
{
    setCueBackend(nullptr);
    setTimeOfDaySource({});
    setInputBoxSource({});
    setAttentionSink({});
    qInstallMessageHandler(previousHandler);
    QLoggingCategory::setFilterRules(QString());
    current = nullptr;
}

DesktopScheme::~DesktopScheme()
{
    qputenv("ORVALEN_TEST_SCHEME", "dark");
    if (path == ApplicationPalette)
        QApplication::setPalette(application);
    QWindowSystemInterface::handleThemeChange<QWindowSystemInterface::SynchronousDelivery>();
}

void DesktopScheme::set(bool dark) const
{
    qputenv("ORVALEN_TEST_SCHEME", dark ? "dark" : "light");
    const QPalette palette = dark ? QPalette(QColor(48, 47, 46)) : QPalette(QColor(239, 239, 239));
    if (path == ApplicationPalette)
        QApplication::setPalette(palette);
    if (path == EveryControl && !QCoreApplication::testAttribute(Qt::AA_SetPalette))
        for (QWidget *w : QApplication::allWidgets())
            w->setPalette(palette);
    QWindowSystemInterface::handleThemeChange<QWindowSystemInterface::SynchronousDelivery>();
}

QWidget *window(const QString &name)
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == name)
            return w;
    return nullptr;
}

QString texts(const QWidget *window, const char *names)
{
    QStringList out;
    for (const QString &name : QString::fromLatin1(names).split(u' ')) {
        const auto *label = window->findChild<QLabel *>(name);
        out << (label ? label->text() : "<no " + name + ">");
    }
    return out.join(u'|');
}

QString shown(const QWidget *window, const char *names)
{
    QString out;
    for (const QString &name : QString::fromLatin1(names).split(u' ')) {
        const auto *widget = window->findChild<QWidget *>(name);
        out += !widget ? u'?' : widget->isVisibleTo(window) ? u'1' : u'0';
    }
    return out;
}

PeriodicTimer *timer(const QObject *window, const char *name)
{
    return window->findChild<PeriodicTimer *>(QLatin1String(name));
}

QString clocks(const QObject *window)
{
    QStringList all;
    for (const PeriodicTimer *t : window->findChildren<PeriodicTimer *>())
        all << QStringLiteral("%1 %2 %3").arg(t->objectName()).arg(t->interval()).arg(t->isEnabled() ? "on" : "off");
    all.sort();
    return all.join(u'|');
}

bool fire(QObject *window, const char *name, int times)
{
    PeriodicTimer *clock = timer(window, name);
    if (!clock) {
        qWarning("%s has no clock %s", qPrintable(window->objectName()), name);
        return false;
    }
    for (int i = 0; i < times; ++i)
        emit clock->timeout();
    return true;
}

bool call(QObject *window, const char *handler, int times)
{
    // invokeMethod says itself which handler it did not find.
    for (int i = 0; i < times; ++i)
        if (!QMetaObject::invokeMethod(window, handler))
            return false;
    return true;
}

bool run(QObject *window, const QString &steps)
{
    for (const QString &step : steps.split(u' ', Qt::SkipEmptyParts)) {
        const QByteArray handler = step.section(u'*', 0, 0).section(u':', 0, 0).toLatin1();
        const bool done = step.contains(u':')
            ? QMetaObject::invokeMethod(window, handler, Q_ARG(int, step.section(u':', 1).toInt()))
            : call(window, handler, step.contains(u'*') ? step.section(u'*', 1).toInt() : 1);
        if (!done)
            return false;
    }
    return true;
}

void closeFromWindowSystem(QWidget *window)
{
    window->winId(); // make sure it has a platform window
    QWindowSystemInterface::handleCloseEvent<QWindowSystemInterface::SynchronousDelivery>(window->windowHandle());
}

} // namespace orv::test
