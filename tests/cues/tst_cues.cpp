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
        stopCues(); // as at exit: nothing left sounding, no player left
        QCOMPARE(desktop.sounding, 0);
        QVERIFY(!setCueBackend(nullptr));
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

    // A file the player cannot play is silent, with one warning the first
    // time it is asked for, naming it and saying why; a file it can play
    // adds nothing.
    void aFileThatCannotBePlayed()
    {
        struct Refusing : CueBackend
        {
            std::unique_ptr<CueVoice> play(const QString &) override { return nullptr; }
            QString problem(const QString &path) override
            {
                return path.endsWith(QLatin1String("s05.wav")) ? QStringLiteral("format 0x0055 is not PCM") : QString();
            }
        };
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".")));
        setCueBackend(std::make_unique<Refusing>());
        QTest::ignoreMessage(QtWarningMsg, "cannot play s05.wav: format 0x0055 is not PCM");
        for (const char *name : {"s05.wav", "s01.wav", "s05.wav"})
            PlayCue(QLatin1String(name));
        setCueBackend(nullptr);
    }

    // Without a sound server (as under CI) the real player, loaded from the
    // sound module beside the program, stays silent and returns at once; a
    // file that is not a wave at all is refused with a word why.
    void realPlayerNeverFails()
    {
        QTest::failOnWarning(QRegularExpression(QStringLiteral("sound module")));
        setCueBackend(nullptr);
        QVERIFY(QFile::copy(QStringLiteral(ORVALEN_SOURCE_DIR "/resources/s02.wav"), QStringLiteral("s02.wav")));
        PlayCue(QStringLiteral("s02.wav"));
        QTest::ignoreMessage(QtWarningMsg, "cannot play s05.wav: not a RIFF WAVE file");
        PlayCue(QStringLiteral("s05.wav"));
        QCOMPARE(cueLatencyMicroseconds(), -1);
        stopCues();
    }

private:
    QTemporaryDir m_dir;
};

QTEST_MAIN(TestCues)
#include "tst_cues.moc"
