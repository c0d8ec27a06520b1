#include "app/startup.h"

#include <QTest>

using namespace orv;

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void platformChoice_data()
    {
        QTest::addColumn<QStringList>("environment");
        QTest::addColumn<QByteArray>("platform");
        QTest::newRow("X11 session") << QStringList{"DISPLAY=:0", "XDG_SESSION_TYPE=x11"} << QByteArray();
        QTest::newRow("Wayland with XWayland")
            << QStringList{"WAYLAND_DISPLAY=wayland-0", "DISPLAY=:0", "XDG_SESSION_TYPE=wayland"} << QByteArray("xcb");
        QTest::newRow("Wayland socket only, with XWayland") << QStringList{"WAYLAND_DISPLAY=wayland-0", "DISPLAY=:1"}
                                                            << QByteArray("xcb");
        QTest::newRow("session type only") << QStringList{"XDG_SESSION_TYPE=Wayland", "DISPLAY=:0"} << QByteArray("xcb");
        QTest::newRow("Wayland without XWayland") << QStringList{"WAYLAND_DISPLAY=wayland-0"} << QByteArray();
        QTest::newRow("user chose wayland")
            << QStringList{"WAYLAND_DISPLAY=wayland-0", "DISPLAY=:0", "QT_QPA_PLATFORM=wayland"} << QByteArray();
        QTest::newRow("user chose offscreen") << QStringList{"DISPLAY=:0", "QT_QPA_PLATFORM=offscreen"} << QByteArray();
        QTest::newRow("empty choice is no choice")
            << QStringList{"WAYLAND_DISPLAY=wayland-0", "DISPLAY=:0", "QT_QPA_PLATFORM="} << QByteArray("xcb");
        QTest::newRow("nothing") << QStringList{} << QByteArray();
    }
    void platformChoice()
    {
        QFETCH(QStringList, environment);
        QFETCH(QByteArray, platform);
        QProcessEnvironment env;
        for (const QString &entry : environment)
            env.insert(entry.section(u'=', 0, 0), entry.section(u'=', 1));
        QCOMPARE(choosePlatform(env), platform);
    }
};

QTEST_APPLESS_MAIN(TestStartup)
#include "tst_startup.moc"
