// The player's rules that need no sound server: reading cue files of every
// kind, well made or not, and what a cue does while the connection to the
// server is down or being made.

#include "cues/cuelink.h"
#include "cues/wave.h"

#include <QFile>
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
    const char *problem;
    Wave::Format format;
    int channels, rate, bytes;
};

} // namespace

Q_DECLARE_METATYPE(Read)

class TestWave : public QObject
{
    Q_OBJECT

private slots:
    // Each row: a file, and what is read: the problem (empty when it can be
    // played), then the samples' format, channels, rate and bytes.
    void reading_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<Read>("read");
        const auto S16 = Wave::Format::S16, S24 = Wave::Format::S24, S32 = Wave::Format::S32,
                   F32 = Wave::Format::Float32;
        const QByteArray data = chunk("data", kFrames);
        QTest::newRow("16-bit mono") << riff(fmt(1, 1, 22050, 16) + data) << Read{"", S16, 1, 22050, 12};
        QTest::newRow("16-bit stereo") << riff(fmt(1, 2, 48000, 16) + data) << Read{"", S16, 2, 48000, 12};
        QTest::newRow("8-bit, widened") << riff(fmt(1, 1, 8000, 8) + data) << Read{"", S16, 1, 8000, 24};
        QTest::newRow("24-bit") << riff(fmt(1, 2, 44100, 24) + data) << Read{"", S24, 2, 44100, 12};
        QTest::newRow("32-bit") << riff(fmt(1, 1, 44100, 32) + data) << Read{"", S32, 1, 44100, 12};
        QTest::newRow("float") << riff(fmt(3, 1, 96000, 32) + data) << Read{"", F32, 1, 96000, 12};
        QTest::newRow("extensible 16-bit stereo") << riff(extensible(1, 2, 16) + data) << Read{"", S16, 2, 44100, 12};
        QTest::newRow("extensible float") << riff(extensible(3, 1, 32) + data) << Read{"", F32, 1, 44100, 12};
        QTest::newRow("a LIST chunk before fmt") << riff(chunk("LIST", "INFOabcd") + fmt(1, 1, 22050, 16) + data)
                                                 << Read{"", S16, 1, 22050, 12};
        QTest::newRow("data before fmt") << riff(data + fmt(1, 1, 22050, 16)) << Read{"", S16, 1, 22050, 12};
        QTest::newRow("an odd chunk, padded") << riff(chunk("junk", "abc") + fmt(1, 1, 22050, 16) + data)
                                              << Read{"", S16, 1, 22050, 12};
        QTest::newRow("data cut short") << riff(fmt(1, 1, 22050, 16) + chunk("data", kFrames, 1000).left(8 + 14))
                                        << Read{"", S16, 1, 22050, 12};
        QTest::newRow("cut mid-frame") << riff(fmt(1, 2, 22050, 16) + chunk("data", kFrames.left(7)))
                                       << Read{"", S16, 2, 22050, 4};
        QTest::newRow("a size of 0xFFFFFFFF") << riff(fmt(1, 1, 22050, 16) + chunk("data", kFrames, 0xFFFFFFFF))
                                              << Read{"", S16, 1, 22050, 12};
        QTest::newRow("the first of two fmt chunks") << riff(fmt(1, 1, 22050, 16) + fmt(1, 2, 8000, 8) + data)
                                                     << Read{"", S16, 1, 22050, 12};
        const auto refused = [](const char *name, const QByteArray &file, const char *problem) {
            QTest::newRow(name) << file << Read{problem, Wave::Format::S16, 0, 0, 0};
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
        refused("extensible, another GUID", riff(extensible(1, 1, 16, QByteArray(14, 'x')) + data),
                "extensible sub-format is not PCM");
        refused("extensible, short", riff(chunk("fmt ", extensible(1, 1, 16).mid(8, 24)) + data),
                "extensible fmt chunk too short (24 bytes)");
        refused("no channels", riff(fmt(1, 0, 8000, 16) + data), "no channels");
        refused("33 channels", riff(fmt(1, 33, 8000, 16) + data), "33 channels, more than a sound server takes");
        refused("no rate", riff(fmt(1, 1, 0, 16) + data), "a rate of 0 Hz");
        refused("too fast a rate", riff(fmt(1, 1, 400000, 16) + data), "a rate of 400000 Hz");
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

    // 8-bit samples centre on 128; widened, they centre on 0.
    void eightBitSilenceIsZero()
    {
        const Wave wave = readWave(riff(fmt(1, 1, 8000, 8) + chunk("data", QByteArray("\x80\xFF\x00", 3))));
        QCOMPARE(wave.pcm, QByteArray("\x00\x00\x00\x7F\x00\x80", 6));
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
        // Cues stand for themselves by address; they are never used.
        auto *a = reinterpret_cast<CueVoice *>(this), *b = reinterpret_cast<CueVoice *>(&link);
        const auto cue = [&](QStringView name) { return name == u"A" ? a : b; };
        const auto started = [&](CueVoice *voice) {
            if (voice)
                did << (voice == a ? "start A" : "start B");
        };
        for (const QString &step : steps.split(u' ', Qt::SkipEmptyParts)) {
            if (step.startsWith(u"cut:")) {
                link.cut(cue(QStringView(step).mid(4)));
            } else if (step == u"down") {
                started(link.changed(CueLink::State::Down));
            } else {
                const CueLink::State state = step.endsWith(u"Down") ? CueLink::State::Down
                                             : step.endsWith(u"Ready") ? CueLink::State::Ready
                                                                       : CueLink::State::Connecting;
                const CueLink::Request request = link.request(cue(QStringView(step).left(1)), state);
                if (request.connect)
                    did << "connect";
                if (request.startNow)
                    started(cue(QStringView(step).left(1)));
            }
        }
        started(link.changed(CueLink::State::Connecting));
        started(link.changed(CueLink::State::Ready));
        QCOMPARE(did.join(u'|'), done);
        QCOMPARE(link.waiting(), nullptr);
    }
};

QTEST_GUILESS_MAIN(TestWave)
#include "tst_wave.moc"
