#include "cues/cue.h"
#include "support/testsupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace orv;
using orv::test::CueRecorder;
using orv::test::LogCapture;

class TestCues : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_previous = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
        orv::test::writeCueFiles(m_dir.path());
    }
    void cleanup() { QDir::setCurrent(m_previous); }

    void everyRequestIsLogged()
    {
        CueRecorder recorder;
        LogCapture log("orvalen.cue");
        PlayCue(QStringLiteral("s02.wav"));
        PlayCue(QStringLiteral("missing.wav"));
        QCOMPARE(log.lines(), QStringList({"play s02.wav", "play missing.wav"}));
    }

    void newCueCutsTheOneStillSounding()
    {
        CueRecorder recorder;
        PlayCue(QStringLiteral("s01.wav"));
        PlayCue(QStringLiteral("s01.wav"));
        PlayCue(QStringLiteral("s03.wav"));
        QCOMPARE(recorder.log().played, QStringList({"s01.wav", "s01.wav", "s03.wav"}));
        QCOMPARE(recorder.log().stopped, QStringList({"s01.wav", "s01.wav"}));
        QCOMPARE(recorder.log().sounding, 1);
    }

    void missingFileIsSilentAndStillCuts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("absent") << "s09.wav";
        QTest::newRow("empty name") << "";
        QTest::newRow("a directory of that name") << "folder.wav";
        QTest::newRow("path outside") << "../../../nonexistent/s01.wav";
    }
    void missingFileIsSilentAndStillCuts()
    {
        QFETCH(QString, name);
        QDir(m_dir.path()).mkdir(QStringLiteral("folder.wav"));
        CueRecorder recorder;
        PlayCue(QStringLiteral("s05.wav"));
        PlayCue(name);
        QCOMPARE(recorder.log().played, QStringList({"s05.wav"}));
        QCOMPARE(recorder.log().sounding, 0);
    }

    void looksInTheCurrentDirectoryFirst()
    {
        QCOMPARE(resolveCueFile(QStringLiteral("s04.wav")), QDir(m_dir.path()).filePath("s04.wav"));
        const QStringList folders = cueFolders();
        QCOMPARE(folders.first(), QDir::currentPath());
        // Then beside the program, then its data folder as installed.
        QCOMPARE(folders.at(1), QCoreApplication::applicationDirPath());
        QVERIFY(folders.at(2).endsWith(QLatin1String("/share/orvalen")));
    }

    void fallsBackToTheDataFolder()
    {
        QTemporaryDir data;
        orv::test::writeCueFiles(data.path());
        QDir::setCurrent(QDir::tempPath());
        QDir(m_dir.path()).mkdir(QStringLiteral("empty"));
        const QString empty = QDir(m_dir.path()).filePath(QStringLiteral("empty"));
        QCOMPARE(findCueFile(QStringLiteral("s03.wav"), {empty, data.path()}), QDir(data.path()).filePath("s03.wav"));
        QCOMPARE(findCueFile(QStringLiteral("s03.wav"), {m_dir.path(), data.path()}),
                 QDir(m_dir.path()).filePath("s03.wav"));
        QCOMPARE(findCueFile(QStringLiteral("s09.wav"), {empty, data.path()}), QString());
        QCOMPARE(findCueFile(QStringLiteral("../s03.wav"), {empty}), QString());
    }

    // Without a sound server (as under CI) the real backend, loaded from the
    // sound module beside the program, stays silent, returns at once and
    // leaves nothing behind.
    void realBackendNeverFails()
    {
        QTest::failOnWarning(QRegularExpression(QStringLiteral("sound module")));
        setCueBackend(nullptr);
        const QString real = QStringLiteral(ORVALEN_SOURCE_DIR "/resources/s02.wav");
        QFile::remove(QStringLiteral("s02.wav"));
        QVERIFY(QFile::copy(real, QStringLiteral("s02.wav")));
        PlayCue(QStringLiteral("s02.wav"));
        PlayCue(QStringLiteral("s05.wav")); // a silent stub file
        PlayCue(QStringLiteral("nothing.wav"));
        QTest::qWait(50);
        stopCues();
    }

private:
    QTemporaryDir m_dir;
    QString m_previous;
};

QTEST_MAIN(TestCues)
#include "tst_cues.moc"
