// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Cues: reading cue files of every kind, well made or not, and what a cue
// does while the sound server is away, without a server; then the cue
// service: one cue at a time, where files are found, the warning for a file
// that cannot be played, and the real player without a server.

#include "cues/cue.h"
#include "cues/cuelink.h"
#include "cues/wave.h"
#include "support/testsupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

using namespace orv;

namespace {

QByteArray le(quint32 value, int bytes)
{
    QByteArray out;
    for (int i = 0; i < bytes; ++i)
        out.append(char(value >> (8 * i)));
    return out;
}

// A chunk, padded to an even size; `declared` overrides its size field.
QByteArray chunk(const char *id, const QByteArray &body, qint64 declared = -1)
{
    QByteArray out = QByteArray(id, 4) + le(quint32(declared < 0 ? body.size() : declared), 4) + body;
    return body.size() % 2 && declared < 0 ? out + '\0' : out;
}

QByteArray fmt(quint16 tag, quint16 channels, quint32 rate, quint16 bits)
{
    const quint16 block = quint16(channels * bits / 8);
    return chunk("fmt ", le(tag, 2) + le(channels, 2) + le(rate, 4) + le(rate * block, 4) + le(block, 2) + le(bits, 2));
}

// An extensible header: the sub-format's tag, then the rest of its GUID.
QByteArray extensible(quint16 subTag, quint16 channels, quint16 bits, const QByteArray &guidTail =
                      QByteArray("\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71", 14))
{
    const quint16 block = quint16(channels * bits / 8);
    return chunk("fmt ", le(0xFFFE, 2) + le(channels, 2) + le(44100, 4) + le(44100 * block, 4) + le(block, 2)
                             + le(bits, 2) + le(22, 2) + le(bits, 2) + le(3, 4) + le(subTag, 2) + guidTail);
}

QByteArray riff(const QByteArray &chunks)
{
    return "RIFF" + le(quint32(4 + chunks.size()), 4) + "WAVE" + chunks;
}

const QByteArray kFrames("\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0A\x0B\x0C", 12);

// What is read: the problem (empty when it can be played), then the
// samples' format, channels, rate and bytes.
struct Read
{
    const char *problem = "";
    Wave::Format format = Wave::Format::S16;
    int channels = 0, rate = 0, bytes = 0;
};

} // namespace

Q_DECLARE_METATYPE(Read)

class TestCues : public QObject
{
    Q_OBJECT

private slots:
    // A file, and what is read of it.
    void reading_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<Read>("read");
        const auto S16 = Wave::Format::S16, S24 = Wave::Format::S24, S32 = Wave::Format::S32, F32 = Wave::Format::Float32;
        const QByteArray data = chunk("data", kFrames);
        const Read mono16{.format = S16, .channels = 1, .rate = 22050, .bytes = 12}; // of fmt(1, 1, 22050, 16) + data
        QTest::newRow("16-bit mono") << riff(fmt(1, 1, 22050, 16) + data) << mono16;
        QTest::newRow("16-bit stereo") << riff(fmt(1, 2, 48000, 16) + data) << Read{.format = S16, .channels = 2, .rate = 48000, .bytes = 12};
        QTest::newRow("8-bit, widened") << riff(fmt(1, 1, 8000, 8) + data) << Read{.format = S16, .channels = 1, .rate = 8000, .bytes = 24};
        QTest::newRow("24-bit") << riff(fmt(1, 2, 44100, 24) + data) << Read{.format = S24, .channels = 2, .rate = 44100, .bytes = 12};
        QTest::newRow("32-bit") << riff(fmt(1, 1, 44100, 32) + data) << Read{.format = S32, .channels = 1, .rate = 44100, .bytes = 12};
        QTest::newRow("float, the fastest rate") << riff(fmt(3, 1, 384000, 32) + data) << Read{.format = F32, .channels = 1, .rate = 384000, .bytes = 12};
        QTest::newRow("extensible 16-bit stereo") << riff(extensible(1, 2, 16) + data) << Read{.format = S16, .channels = 2, .rate = 44100, .bytes = 12};
        QTest::newRow("extensible float") << riff(extensible(3, 1, 32) + data) << Read{.format = F32, .channels = 1, .rate = 44100, .bytes = 12};
        QTest::newRow("a LIST chunk before fmt") << riff(chunk("LIST", "INFOabcd") + fmt(1, 1, 22050, 16) + data) << mono16;
        QTest::newRow("data before fmt") << riff(data + fmt(1, 1, 22050, 16)) << mono16;
        QTest::newRow("an odd chunk, padded") << riff(chunk("junk", "abc") + fmt(1, 1, 22050, 16) + data) << mono16;
        QTest::newRow("data cut short") << riff(fmt(1, 1, 22050, 16) + chunk("data", kFrames, 1000).left(8 + 14)) << mono16;
        QTest::newRow("cut mid-frame") << riff(fmt(1, 2, 22050, 16) + chunk("data", kFrames.left(7))) << Read{.format = S16, .channels = 2, .rate = 22050, .bytes = 4};
        QTest::newRow("a size of 0xFFFFFFFF") << riff(fmt(1, 1, 22050, 16) + chunk("data", kFrames, 0xFFFFFFFF)) << mono16;
        QTest::newRow("the first of two fmt chunks") << riff(fmt(1, 1, 22050, 16) + fmt(1, 2, 8000, 8) + data) << mono16;
        QTest::newRow("the first of two data chunks") << riff(fmt(1, 1, 22050, 16) + data + chunk("data", "ab")) << mono16;
        const auto refused = [](const char *name, const QByteArray &file, const char *problem) {
            QTest::newRow(name) << file << Read{.problem = problem};
        };
        refused("empty", QByteArray(), "not a RIFF WAVE file");
        refused("the header alone", riff({}), "no fmt chunk");
        refused("a short header", "RIFF\x04\0\0\0WAV", "not a RIFF WAVE file");
        refused("no RIFF", "RIFX" + riff(fmt(1, 1, 8000, 16) + data).mid(4), "not a RIFF WAVE file");
        refused("not WAVE", riff(fmt(1, 1, 8000, 16) + data).replace("WAVE", "AVI "), "not a RIFF WAVE file");
        refused("no fmt", riff(data), "no fmt chunk");
        refused("a short fmt", riff(chunk("fmt ", fmt(1, 1, 8000, 16).mid(8, 14)) + data), "fmt chunk too short (14 bytes)");
        refused("fmt cut off", riff(fmt(1, 1, 8000, 16).left(20)), "fmt chunk too short (12 bytes)");
        refused("no data", riff(fmt(1, 1, 8000, 16)), "no data chunk");
        refused("empty data", riff(fmt(1, 1, 8000, 16) + chunk("data", {})), "no sound in its data chunk");
        refused("less than a frame", riff(fmt(1, 2, 8000, 32) + chunk("data", "abc")), "no sound in its data chunk");
        refused("MPEG", riff(fmt(0x55, 1, 8000, 16) + data), "format 0x0055 is not PCM");
        refused("12-bit PCM", riff(fmt(1, 1, 8000, 12) + data), "12-bit PCM is not supported");
        refused("64-bit float", riff(fmt(3, 1, 8000, 64) + data), "64-bit float is not supported");
        refused("extensible MPEG", riff(extensible(0x55, 1, 16) + data), "format 0x0055 is not PCM");
        refused("extensible, another GUID", riff(extensible(1, 1, 16, QByteArray(14, 'x')) + data), "extensible sub-format is not PCM");
        refused("extensible, short", riff(chunk("fmt ", extensible(1, 1, 16).mid(8, 24)) + data),
                "extensible fmt chunk too short (24 bytes)");
        refused("extensible, a short extension", riff(extensible(1, 1, 16).replace(QByteArray("\x16\x00", 2), QByteArray("\x15\x00", 2)) + data),
                "extensible fmt chunk too short (40 bytes)");
        QTest::newRow("32 channels") << riff(fmt(1, 32, 8000, 8) + chunk("data", QByteArray(64, '\x80'))) << Read{.format = S16, .channels = 32, .rate = 8000, .bytes = 128};
        refused("no channels", riff(fmt(1, 0, 8000, 16) + data), "no channels");
        refused("33 channels", riff(fmt(1, 33, 8000, 16) + data), "33 channels, more than a sound server takes");
        refused("no rate", riff(fmt(1, 1, 0, 16) + data), "a rate of 0 Hz");
        refused("too fast a rate", riff(fmt(1, 1, 384001, 16) + data), "a rate of 384001 Hz");
    }
    void reading()
    {
        QFETCH(QByteArray, file);
        QFETCH(Read, read);
        const Wave wave = readWave(file);
        QCOMPARE(wave.problem, QString(read.problem));
        QCOMPARE(wave.playable(), QString(read.problem).isEmpty());
        if (!wave.playable())
            return;
        QCOMPARE(wave.format, read.format);
        QCOMPARE(wave.channels, read.channels);
        QCOMPARE(wave.rate, quint32(read.rate));
        QCOMPARE(wave.pcm.size(), read.bytes);
        QCOMPARE(wave.pcm.size() % wave.frameBytes(), 0);
    }

    // 8-bit samples centre on 128; widened, they centre on 0, every channel.
    void eightBitSilenceIsZero()
    {
        const Wave wave = readWave(riff(fmt(1, 2, 8000, 8) + chunk("data", QByteArray("\xFF\x80\x00\x01", 4))));
        QCOMPARE(wave.pcm, QByteArray("\x00\x7F\x00\x00\x00\x80\x00\x81", 8));
    }

    // Files too large are not read; files that cannot be opened are refused.
    void readingFiles()
    {
        QTemporaryDir dir;
        QFile big(dir.filePath(QStringLiteral("big.wav")));
        QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(kMaxWaveBytes + 1));
        big.close();
        QCOMPARE(readWaveFile(big.fileName()).problem, QStringLiteral("larger than 64 MiB"));
        QCOMPARE(readWaveFile(dir.filePath(QStringLiteral("none.wav"))).problem, QStringLiteral("cannot be read"));
        QFile small(dir.filePath(QStringLiteral("s01.wav")));
        QVERIFY(small.open(QIODevice::WriteOnly) && small.write(riff(fmt(1, 1, 8000, 16) + chunk("data", kFrames))));
        small.close();
        QCOMPARE(readWaveFile(small.fileName()).pcm, kFrames);
    }

    // What a cue does while the connection is down or being made. Each row:
    // the cues requested (with the connection's state then) or cut, or the
    // connection failing; and what the player does, ending with the
    // connection ready.
    void waitingForTheServer_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("done");
        QTest::newRow("requested while down") << "A@Down" << "connect|start A";
        QTest::newRow("requested while connecting") << "A@Connecting" << "start A";
        QTest::newRow("a newer cue replaces it") << "A@Down B@Connecting" << "connect|start B";
        QTest::newRow("cut while waiting") << "A@Down cut:A" << "connect";
        QTest::newRow("another cue cut") << "A@Down cut:B" << "connect|start A";
        QTest::newRow("the connection failed") << "A@Down down" << "connect";
        QTest::newRow("requested while ready") << "A@Ready" << "start A";
        QTest::newRow("nothing asked") << "" << "";
    }
    void waitingForTheServer()
    {
        QFETCH(QString, steps);
        QFETCH(QString, done);
        CueLink link;
        QStringList did;
        // Cues A and B stand for themselves by address; they are never used.
        CueVoice *const cues[] = {reinterpret_cast<CueVoice *>(this), reinterpret_cast<CueVoice *>(&link)};
        const auto start = [&](CueVoice *cue) {
            if (cue)
                did << (cue == cues[0] ? "start A" : "start B");
        };
        const QMap<QString, CueLink::State> states{
            {"Down", CueLink::State::Down}, {"Connecting", CueLink::State::Connecting}, {"Ready", CueLink::State::Ready}};
        for (const QString &step : steps.split(u' ', Qt::SkipEmptyParts)) {
            CueVoice *cue = cues[step.contains(u'B')];
            if (step.startsWith(u"cut:"))
                link.cut(cue);
            else if (step == u"down")
                start(link.changed(CueLink::State::Down));
            else if (const CueLink::Request request = link.request(cue, states.value(step.section(u'@', 1))); request.connect)
                did << "connect";
            else if (request.startNow)
                start(cue);
        }
        start(link.changed(CueLink::State::Connecting));
        start(link.changed(CueLink::State::Ready));
        QCOMPARE(did.join(u'|'), done);
    }

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

    // A new player cuts the cue the old one plays.
    void anotherPlayer()
    {
        test::FakeDesktop desktop;
        PlayCue(QStringLiteral("s05.wav"));
        test::FakeDesktop another;
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
