// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What the program does on Linux alone: the platform it asks Qt for.

#include "app/linux/environment.h"

#include <QTest>

using namespace orv;

class TestLinux : public QObject
{
    Q_OBJECT

private slots:
    // In a Wayland session with XWayland at hand the program asks for xcb,
    // unless the user has chosen a platform.
    void platformChoice_data()
    {
        QTest::addColumn<QString>("environment");
        QTest::addColumn<QByteArray>("platform");
        const QList<std::pair<const char *, const char *>> rows{
            {"DISPLAY=:0 XDG_SESSION_TYPE=x11", ""}, {"WAYLAND_DISPLAY=w0 DISPLAY=:0", "xcb"},
            {"XDG_SESSION_TYPE=Wayland DISPLAY=:1", "xcb"}, {"WAYLAND_DISPLAY=w0 XDG_SESSION_TYPE=wayland", ""},
            {"WAYLAND_DISPLAY=w0 DISPLAY=:0 QT_QPA_PLATFORM=wayland", ""}, {"WAYLAND_DISPLAY=w0 DISPLAY=:0 QT_QPA_PLATFORM=", "xcb"}};
        for (const auto &[environment, platform] : rows)
            QTest::addRow("%s", environment) << QString(environment) << QByteArray(platform);
    }
    void platformChoice()
    {
        QFETCH(QString, environment);
        QFETCH(QByteArray, platform);
        QProcessEnvironment env;
        for (const QString &entry : environment.split(u' '))
            env.insert(entry.section(u'=', 0, 0), entry.section(u'=', 1));
        QCOMPARE(choosePlatform(env), platform);
    }

};

QTEST_GUILESS_MAIN(TestLinux)
#include "tst_linux.moc"
