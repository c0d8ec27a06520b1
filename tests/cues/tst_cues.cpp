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
        m_previous = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
        // Tiny files stand in for waves: the recording backend never reads them.
        for (const char *name : {"s01.wav", "s02.wav", "s05.wav"}) {
            QFile f(QString::fromLatin1(name));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        QDir().mkdir(QStringLiteral("folder.wav"));
    }
    void cleanup() { QDir::setCurrent(m_previous); }

    // Every request is logged; a new one cuts the cue still sounding, even
    // when the new file is missing, which stays silent.
    void oneCueAtATime_data()
    {
        QTest::addColumn<QString>("second");
        QTest::addColumn<QStringList>("played");
        QTest::newRow("another cue") << "s01.wav" << QStringList{"s05.wav", "s01.wav"};
        QTest::newRow("absent") << "s09.wav" << QStringList{"s05.wav"};
        QTest::newRow("empty name") << "" << QStringList{"s05.wav"};
        QTest::newRow("a folder") << "folder.wav" << QStringList{"s05.wav"};
        QTest::newRow("a path") << "../" + QDir(m_dir.path()).dirName() + "/s01.wav" << QStringList{"s05.wav"};
    }
    void oneCueAtATime()
    {
        QFETCH(QString, second);
        QFETCH(QStringList, played);
        test::CueRecorder cues;
        test::LogCapture log("orvalen.cue");
        PlayCue(QStringLiteral("s05.wav"));
        PlayCue(second);
        QCOMPARE(log.lines(), QStringList({"play s05.wav", "play " + second}));
        QCOMPARE(cues.played(), played);
        QCOMPARE(cues.sounding(), played.size() - 1);
    }

    // The current directory first, then beside the program, then its data
    // folder as installed.
    void whereCueFilesAreFound()
    {
        const QStringList folders = cueFolders();
        QCOMPARE(folders.first(), QDir::currentPath());
        QCOMPARE(folders.at(1), QCoreApplication::applicationDirPath());
        QVERIFY(folders.last().endsWith(QLatin1String("/share/orvalen")));
        QCOMPARE(resolveCueFile(QStringLiteral("s02.wav")), QDir(m_dir.path()).filePath("s02.wav"));
        QTemporaryDir data;
        QFile(data.filePath(QStringLiteral("s03.wav"))).open(QIODevice::WriteOnly);
        QCOMPARE(findCueFile(QStringLiteral("s03.wav"), {m_dir.path(), data.path()}), data.filePath("s03.wav"));
        QCOMPARE(findCueFile(QStringLiteral("s09.wav"), {m_dir.path(), data.path()}), QString());
    }

    // Without a sound server (as under CI) the real player, loaded from the
    // sound module beside the program, stays silent and returns at once.
    void realPlayerNeverFails()
    {
        QTest::failOnWarning(QRegularExpression(QStringLiteral("sound module")));
        setCueBackend(nullptr);
        QFile::remove(QStringLiteral("s02.wav"));
        QVERIFY(QFile::copy(QStringLiteral(ORVALEN_SOURCE_DIR "/resources/s02.wav"), QStringLiteral("s02.wav")));
        PlayCue(QStringLiteral("s02.wav"));
        PlayCue(QStringLiteral("s05.wav")); // not a wave at all
        QTest::qWait(50);
        stopCues();
    }

private:
    QTemporaryDir m_dir;
    QString m_previous;
};

QTEST_MAIN(TestCues)
#include "tst_cues.moc"
