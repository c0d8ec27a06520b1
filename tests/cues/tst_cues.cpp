#include "cues/cue.h"
#include "support/testsupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace orv;

class TestCues : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QDir::setCurrent(m_dir.path());
        QDir().mkdir(QStringLiteral("folder.wav"));
        for (const char *name : {"s01.wav", "s05.wav"}) // the recording player never reads them
            QFile(QString::fromLatin1(name)).open(QIODevice::WriteOnly);
    }

    // Every request is logged; a new one cuts the cue still sounding, even
    // when the new file is missing, which stays silent; stopping cuts all.
    // Each row: the second request, and whether it sounds.
    void oneCueAtATime_data()
    {
        QTest::addColumn<QString>("second");
        QTest::addColumn<bool>("sounds");
        QTest::newRow("another cue") << "s01.wav" << true;
        QTest::newRow("absent") << "s09.wav" << false;
        QTest::newRow("empty name") << "" << false;
        QTest::newRow("a folder") << "folder.wav" << false;
        QTest::newRow("a path") << "../" + QDir(m_dir.path()).dirName() + "/s01.wav" << false;
    }
    void oneCueAtATime()
    {
        QFETCH(QString, second);
        QFETCH(bool, sounds);
        test::FakeDesktop desktop;
        PlayCue(QStringLiteral("s05.wav"));
        PlayCue(second);
        QCOMPARE(desktop.logged, QStringList({"play s05.wav", "play " + second}));
        QCOMPARE(desktop.played, sounds ? QStringList({"s05.wav", second}) : QStringList({"s05.wav"}));
        QCOMPARE(desktop.sounding, sounds ? 1 : 0);
        stopCues(); // as at exit: nothing left sounding
        QCOMPARE(desktop.sounding, 0);
    }

    // The current directory first, then beside the program, then its data
    // folder as installed.
    void whereCueFilesAreFound()
    {
        const QStringList folders = cueFolders();
        QCOMPARE(folders.mid(0, 2), QStringList({QDir::currentPath(), QCoreApplication::applicationDirPath()}));
        QVERIFY(folders.last().endsWith(QLatin1String("/share/orvalen")));
        QTemporaryDir data;
        QFile(data.filePath(QStringLiteral("s03.wav"))).open(QIODevice::WriteOnly);
        QCOMPARE(findCueFile(QStringLiteral("s03.wav"), {m_dir.path(), data.path()}), data.filePath("s03.wav"));
        QCOMPARE(findCueFile(QStringLiteral("s01.wav"), {m_dir.path(), data.path()}), m_dir.filePath("s01.wav"));
        QCOMPARE(findCueFile(QStringLiteral("s09.wav"), {m_dir.path(), data.path()}), QString());
    }

    // Without a sound server (as under CI) the real player, loaded from the
    // sound module beside the program, stays silent and returns at once.
    void realPlayerNeverFails()
    {
        QTest::failOnWarning(QRegularExpression(QStringLiteral("sound module")));
        setCueBackend(nullptr);
        QVERIFY(QFile::copy(QStringLiteral(ORVALEN_SOURCE_DIR "/resources/s02.wav"), QStringLiteral("s02.wav")));
        PlayCue(QStringLiteral("s02.wav"));
        PlayCue(QStringLiteral("s05.wav")); // not a wave at all
        QTest::qWait(50);
        stopCues();
    }

private:
    QTemporaryDir m_dir;
};

QTEST_MAIN(TestCues)
#include "tst_cues.moc"
