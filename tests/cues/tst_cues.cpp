// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Cues: decoding cue files of every form a candidate may bring, well made
// or not, and what a cue does while the sound server is away, without a
// server; then the cue service: one cue at a time, where files are found,
// the warning for a file that cannot be played, and the real player
// without a server.

#include "common/cuefile.h"
#include "cues/cue.h"
#include "cues/cuedecoder.h"
#include "cues/cuelink.h"
#include "cues/cuesound.h"
#include "support/testsupport.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>

using namespace orv;

namespace {

// A PCM WAV file of those samples.
QByteArray wav(quint16 channels, quint32 rate, const QByteArray &samples, quint16 bits = 16)
{
    QByteArray file;
    QDataStream out(&file, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    const auto tag = [&out](const char *id) { out.writeRawData(id, 4); };
    tag("RIFF");
    out << quint32(36 + samples.size());
    tag("WAVE");
    tag("fmt ");
    out << quint32(16) << quint16(1) << channels << rate << quint32(rate * channels * bits / 8)
        << quint16(channels * bits / 8) << bits;
    tag("data");
    out << quint32(samples.size());
    out.writeRawData(samples.constData(), int(samples.size()));
    return file;
}

// A 16-bit PCM file of that many frames of silence.
QByteArray pcm16(quint16 channels, quint32 rate, qsizetype frames)
{
    return wav(channels, rate, QByteArray(frames * channels * 2, '\0'));
}

// One of the files in tests/cues/formats, made by sox and lame from a
// 50 ms tone (at 8000 Hz where the form allows).
QByteArray formFile(const char *name)
{
    QFile file(QStringLiteral(ORVALEN_SOURCE_DIR "/tests/cues/formats/") + QLatin1String(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// What is decoded: the problem (empty when it can be played), then the
// samples' format, channels, rate and frames.
struct Decoded
{
    const char *problem = "";
    CueSound::Format format = CueSound::Format::S16;
    int channels = 0, rate = 0, frames = 0;
};

} // namespace

Q_DECLARE_METATYPE(Decoded)

class TestCues : public QObject
{
    Q_OBJECT

private slots:
    // A file, and what is decoded of it, whatever its name says: every row
    // is named .wav, as a candidate's cue files are.
    void decoding_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<Decoded>("decoded");
        const auto S16 = CueSound::Format::S16, F32 = CueSound::Format::Float32;
        const Decoded tone{.format = S16, .channels = 1, .rate = 8000, .frames = 400};
        QTest::newRow("16-bit PCM") << pcm16(1, 22050, 6) << Decoded{.format = S16, .channels = 1, .rate = 22050, .frames = 6};
        QTest::newRow("unsigned 8-bit") << formFile("u8.wav") << Decoded{.format = S16, .channels = 1, .rate = 8000, .frames = 80};
        QTest::newRow("24-bit stereo, extensible") << formFile("pcm24-stereo.wav") << Decoded{.format = F32, .channels = 2, .rate = 44100, .frames = 441};
        QTest::newRow("float stereo") << formFile("float-stereo.wav") << Decoded{.format = F32, .channels = 2, .rate = 48000, .frames = 480};
        QTest::newRow("µ-law") << formFile("u-law.wav") << tone;
        QTest::newRow("A-law") << formFile("a-law.wav") << tone;
        QTest::newRow("IMA ADPCM") << formFile("ima-adpcm.wav") << Decoded{.format = S16, .channels = 1, .rate = 8000, .frames = 505};
        QTest::newRow("MS ADPCM") << formFile("ms-adpcm.wav") << Decoded{.format = S16, .channels = 1, .rate = 8000, .frames = 500};
        QTest::newRow("GSM 6.10") << formFile("gsm.wav") << Decoded{.format = S16, .channels = 1, .rate = 8000, .frames = 640};
        QTest::newRow("MP3") << formFile("mp3.wav") << Decoded{.format = F32, .channels = 1, .rate = 8000, .frames = 400};
        QTest::newRow("FLAC") << formFile("flac.wav") << tone;
        QTest::newRow("FLAC, six channels") << formFile("flac-6ch.wav") << Decoded{.format = S16, .channels = 6, .rate = 11025, .frames = 551};
        QTest::newRow("Ogg Vorbis") << formFile("vorbis.wav") << Decoded{.format = F32, .channels = 1, .rate = 8000, .frames = 400};
        // The chunks a cue needs only, each found after the last and its
        // pad byte.
        QTest::newRow("an odd-sized chunk before the sound") << pcm16(1, 8000, 5).insert(36, QByteArray("junk\x03\0\0\0abc\0", 12)) << Decoded{.format = S16, .channels = 1, .rate = 8000, .frames = 5};
        QTest::newRow("a LIST chunk past the end") << pcm16(1, 8000, 12) + QByteArray("LIST\x07\xff\xff\xffINFO", 12) << Decoded{.format = S16, .channels = 1, .rate = 8000, .frames = 12};
        QTest::newRow("the slowest rate") << pcm16(1, 1, 2) << Decoded{.format = S16, .channels = 1, .rate = 1, .frames = 2};
        QTest::newRow("32 channels, the fastest rate") << pcm16(32, 384000, 3) << Decoded{.format = S16, .channels = 32, .rate = 384000, .frames = 3};
        // Cut short: the samples that are there.
        QTest::newRow("data cut short") << pcm16(1, 8000, 10).left(44 + 7) << Decoded{.format = S16, .channels = 1, .rate = 8000, .frames = 3};
        QTest::newRow("MP3 cut short") << formFile("mp3.wav").left(1000) << Decoded{.format = F32, .channels = 1, .rate = 8000, .frames = 47};
        // Bounded: the first 60 s, and no more than 32 MiB of samples.
        QTest::newRow("61 s, the first 60 kept") << pcm16(1, 8000, 61 * 8000) << Decoded{.format = S16, .channels = 1, .rate = 8000, .frames = 60 * 8000};
        QTest::newRow("past 32 MiB of samples") << pcm16(32, 384000, 524290) << Decoded{.format = S16, .channels = 32, .rate = 384000, .frames = 524288};
        const auto refused = [](const char *name, const QByteArray &file, const char *problem) {
            QTest::newRow(name) << file << Decoded{.problem = problem};
        };
        refused("empty", QByteArray(), "Format not recognised.");
        refused("garbage", QByteArray("Not a sound at all. ").repeated(20), "Format not recognised.");
        refused("the header cut off", pcm16(1, 8000, 10).left(30), "Error in WAV file. No 'data' chunk marker.");
        refused("fmt claims more than the file holds", pcm16(1, 8000, 4).replace(16, 4, QByteArray("\xE8\x03\0\0", 4)), "Error in WAV file. No 'data' chunk marker.");
        refused("no sound", pcm16(1, 8000, 0), "no sound in it");
        refused("a rate of 0", pcm16(1, 0, 10), "Internal error : SF_INFO struct incomplete.");
        refused("no channels", wav(0, 8000, QByteArray(20, '\0')), "Channel count is zero.");
        refused("33 channels", pcm16(33, 8000, 2), "33 channels, more than a sound server takes");
        refused("too fast a rate", pcm16(1, 384001, 2), "a rate of 384001 Hz");
        refused("the fuzzer's file that made libsndfile loop", formFile("../../../fuzz/corpus/cue_sound/list-past-the-end"), "Internal error : SF_INFO struct incomplete.");
    }
    void decoding()
    {
        QFETCH(QByteArray, file);
        QFETCH(Decoded, decoded);
        const CueSound sound = decodeCue(file);
        QCOMPARE(sound.problem, QString::fromUtf8(decoded.problem));
        if (!sound.playable())
            return;
        QCOMPARE(sound.format, decoded.format);
        QCOMPARE(sound.channels, decoded.channels);
        QCOMPARE(sound.rate, decoded.rate);
        QCOMPARE(sound.samples.size() / (sound.channels * (sound.format == CueSound::Format::S16 ? 2 : 4)), decoded.frames);
    }

    // The decoder program answers with the file's sound or why it has none.
    // One that does not answer as it should: its file is refused, saying
    // why, and whatever still runs is killed. A decoder that never returns
    // is given up at its bound; quitting then waits for none.
    void aDecoderThatFails_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QByteArray>("mode");
        QTest::addColumn<QString>("problem");
        const QString fake = QCoreApplication::applicationDirPath() + QStringLiteral("/" ORVALEN_FAKE_DECODER);
        QTest::newRow("the real one, on an empty file")
            << QCoreApplication::applicationDirPath() + QStringLiteral("/" ORVALEN_CUE_DECODER) << QByteArray()
            << "Format not recognised.";
        QTest::newRow("spins for ever") << fake << QByteArray("spin") << "not decoded within 2 s";
        QTest::newRow("crashes") << fake << QByteArray("crash") << "decoding it crashed";
        QTest::newRow("fails") << fake << QByteArray("fail") << "decoding it failed";
        QTest::newRow("says nothing") << fake << QByteArray("silent") << "the decoder gave no answer";
        QTest::newRow("answers in part") << fake << QByteArray("part") << "the decoder gave no answer";
        QTest::newRow("is not there") << QStringLiteral("/nonexistent/decoder") << QByteArray() << "no cue decoder at ";
    }
    void aDecoderThatFails()
    {
        QFETCH(QString, program);
        QFETCH(QByteArray, mode);
        QFETCH(QString, problem);
        qputenv("ORVALEN_FAKE_DECODER", mode);
        const auto unset = qScopeGuard([] { qunsetenv("ORVALEN_FAKE_DECODER"); });
        // Long enough for a process to start under Wine.
        auto decoder = std::make_unique<CueDecoder>(program, std::chrono::milliseconds(2000));
        QSignalSpy decoded(decoder.get(), &CueDecoder::decoded);
        decoder->decode(QStringLiteral("s01.wav"));
        decoder->decode(QStringLiteral("s05.wav"));
        QTRY_COMPARE(decoded.count(), 2);
        const QString said = decoder->sound(QStringLiteral("s01.wav"))->problem;
        QVERIFY2(said.startsWith(problem), qPrintable(said));
        decoder->decode(QStringLiteral("s01.wav")); // known: not decoded again
        decoder->decode(QStringLiteral("s02.wav"));
        QElapsedTimer quitting;
        quitting.start();
        // It ends what still runs itself, before Qt would, with a warning.
        QTest::failOnWarning(QRegularExpression(QStringLiteral("QProcess")));
        decoder.reset();
        QCOMPARE_LT(quitting.elapsed(), 1000);
    }

    // What the decoder process answers is checked as a file is: a head out
    // of bounds, or samples that are not whole frames, are no answer.
    void aDecoderAnswer()
    {
        const CueSound sound = decodeCue(pcm16(2, 8000, 2));
        const QByteArray packed = packCueSound(sound);
        QCOMPARE(unpackCueSound(packed).samples, sound.samples);
        const qint32 outOfBounds[][2] = {{0, 0x4356524e}, {4, 2}, {8, 33}, {12, 0}, {16, 9}, {16, -1}, {20, 12}};
        for (const auto &[at, value] : outOfBounds)
            QCOMPARE(unpackCueSound(QByteArray(packed).replace(at, 4, reinterpret_cast<const char *>(&value), 4)).problem,
                     QStringLiteral("the decoder's answer is not one"));
        QCOMPARE(unpackCueSound(packed.chopped(1)).problem, QStringLiteral("the decoder's answer is not one"));
    }

    // A file is read no further than its first 32 MiB: of one longer, the
    // frames there (not the 32 MiB of samples kept at most). Files that
    // cannot be opened are refused.
    void readingFiles()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("s01.wav"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(pcm16(32, 384000, kMaxCueFileBytes / 64 + 10));
        file.close();
        QCOMPARE(readCueFile(path).samples.size(), (kMaxCueFileBytes - 44) / 64 * 64);
        QCOMPARE(readCueFile(dir.filePath(QStringLiteral("none.wav"))).problem, QStringLiteral("cannot be read"));
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

    // Every request is logged; a new one cuts the cue still sounding before
    // it starts, so two never sound at once; a new player cuts the old
    // one's; stopping cuts all.
    void oneCueAtATime()
    {
        test::FakeDesktop desktop;
        PlayCue(Cue::Alarm);
        PlayCue(Cue::Countdown);
        QCOMPARE(desktop.logged, QStringList({"play s05.wav", "play s01.wav"}));
        QCOMPARE(desktop.played, QStringList({"s05.wav", "s01.wav"}));
        QCOMPARE(desktop.sounding, 1);
        QCOMPARE(desktop.mostSounding, 1);
        test::FakeDesktop another;
        QCOMPARE(desktop.sounding, 0);
        PlayCue(Cue::Alarm);
        stopCues(); // as at exit: nothing left sounding, no player left
        QCOMPARE(another.sounding, 0);
        QVERIFY(!setCueBackend(nullptr));
    }

    // The current directory first, then beside the program, then its data
    // folder as installed. Bare names of readable files only: a folder, a
    // path or an empty name is never a cue file.
    void whereCueFilesAreFound()
    {
        const QStringList folders = cueFolders();
        QCOMPARE(folders.mid(0, 2), QStringList({QDir::currentPath(), QCoreApplication::applicationDirPath()}));
        QVERIFY(folders.last().endsWith(QLatin1String("/share/orvalen")));
        QTemporaryDir data;
        QFile(data.filePath(QStringLiteral("s03.wav"))).open(QIODevice::WriteOnly);
        const QStringList here{m_dir.path(), data.path()};
        QCOMPARE(findCueFile(QStringLiteral("s03.wav"), here), data.filePath("s03.wav"));
        QCOMPARE(findCueFile(QStringLiteral("s01.wav"), here), m_dir.filePath("s01.wav"));
        for (const QString &none : {QStringLiteral("s09.wav"), QString(), QStringLiteral("folder.wav"), QStringLiteral("."),
                                    QStringLiteral(".."), "../" + QDir(m_dir.path()).dirName() + "/s01.wav",
                                    // Windows' ways: a backslash, a drive's current folder
                                    "..\\" + QDir(m_dir.path()).dirName() + "\\s01.wav", QDir::currentPath().left(2) + "s01.wav"})
            QVERIFY2(findCueFile(none, here).isEmpty(), qPrintable(none));
    }

    // A file the player cannot play is silent, with one warning the first
    // time it is asked for, naming it and saying why, whether the player
    // knows at once or only once the cue waited for it; a file it can play
    // adds nothing.
    void aFileThatCannotBePlayed()
    {
        struct Refusing : CueBackend
        {
            std::unique_ptr<CueVoice> play(const QString &path) override
            {
                return path.endsWith(QLatin1String("s01.wav")) ? std::make_unique<CueVoice>() : nullptr;
            }
            QString problem(const QString &path) override
            {
                return path.endsWith(QLatin1String("s05.wav"))   ? QStringLiteral("format 0x0055 is not PCM")
                       : path.endsWith(QLatin1String("s01.wav")) ? QStringLiteral("not decoded within 5 s")
                                                                 : QString();
            }
        };
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".")));
        auto refusing = std::make_unique<Refusing>();
        CueBackend *backend = refusing.get();
        setCueBackend(std::move(refusing));
        QTest::ignoreMessage(QtWarningMsg, "cannot play s05.wav: format 0x0055 is not PCM");
        QTest::ignoreMessage(QtWarningMsg, "cannot play s01.wav: not decoded within 5 s");
        for (const Cue cue : {Cue::Alarm, Cue::Countdown, Cue::Alarm})
            PlayCue(cue);
        for (int i = 0; i < 2; ++i)
            backend->refusedLater(QDir::current().absoluteFilePath(QStringLiteral("s01.wav")));
        setCueBackend(nullptr);
    }

    // Without a sound server (as under CI) the real player, loaded from the
    // sound module beside the program, stays silent and returns at once; a
    // file that is no sound at all is refused with libsndfile's word why,
    // once, from the first request after it is read.
    void realPlayerNeverFails()
    {
        static QStringList warnings;
        static QtMessageHandler passOn = nullptr;
        passOn = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &context, const QString &message) {
            if (type == QtWarningMsg)
                warnings << message;
            passOn(type, context, message);
        });
        QTest::failOnWarning(QRegularExpression(QStringLiteral("sound module")));
        QTest::ignoreMessage(QtWarningMsg, "cannot play s05.wav: Format not recognised.");
        setCueBackend(nullptr);
        QVERIFY(QFile::copy(QStringLiteral(ORVALEN_SOURCE_DIR "/resources/s02.wav"), QStringLiteral("s02.wav")));
        PlayCue(Cue::Milestone);
        // The empty s05.wav is read on a thread of its own meanwhile.
        QTRY_VERIFY((PlayCue(Cue::Alarm), !warnings.isEmpty()));
        PlayCue(Cue::Alarm);
        QCOMPARE(warnings, QStringList({"cannot play s05.wav: Format not recognised."}));
        stopCues();
        qInstallMessageHandler(passOn);
        warnings.clear();
    }

private:
    QTemporaryDir m_dir;
};

QTEST_MAIN(TestCues)
#include "tst_cues.moc"
