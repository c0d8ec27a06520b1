// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What the program does on Windows alone: how a cue's sound is described to
// waveOut, and a cue's life there, from its file to the output closed.

#include "cues/cuedecoder.h"
#include "cues/cuesound.h"
#include "cues/windows/waveoutvoice.h"

#include <QCoreApplication>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace orv;

class TestWindows : public QObject
{
    Q_OBJECT

private slots:
    // Plain PCM where waveOut has always taken it (16-bit mono and
    // stereo); the extensible form, with the speakers, for the rest.
    void theWaveFormat()
    {
        struct Row
        {
            bool floats;
            int channels;
            int tag;
            quint32 speakers;
            int subtype;
        };
        const Row rows[] = {
            {false, 1, WAVE_FORMAT_PCM, 0, 0},
            {false, 2, WAVE_FORMAT_PCM, 0, 0},
            {false, 6, WAVE_FORMAT_EXTENSIBLE, 0x3f, WAVE_FORMAT_PCM},
            {true, 1, WAVE_FORMAT_EXTENSIBLE, 0x4, WAVE_FORMAT_IEEE_FLOAT},
            {true, 2, WAVE_FORMAT_EXTENSIBLE, 0x3, WAVE_FORMAT_IEEE_FLOAT},
            {true, 8, WAVE_FORMAT_EXTENSIBLE, 0x63f, WAVE_FORMAT_IEEE_FLOAT},
            {false, 10, WAVE_FORMAT_EXTENSIBLE, 0x3ff, WAVE_FORMAT_PCM},
            {false, 32, WAVE_FORMAT_EXTENSIBLE, 0, WAVE_FORMAT_PCM}, // more than there are speakers
        };
        for (const Row &row : rows) {
            CueSound sound;
            sound.format = row.floats ? CueSound::Format::Float32 : CueSound::Format::S16;
            sound.channels = row.channels;
            sound.rate = 44100;
            const WAVEFORMATEXTENSIBLE format = waveFormatOf(sound);
            const int bits = row.floats ? 32 : 16;
            const QByteArray name = QByteArray::number(row.channels) + (row.floats ? " float" : " 16-bit");
            QVERIFY2(format.Format.wFormatTag == row.tag, name);
            QVERIFY2(format.Format.nChannels == row.channels && format.Format.nSamplesPerSec == 44100, name);
            QVERIFY2(format.Format.wBitsPerSample == bits && format.Format.nBlockAlign == row.channels * bits / 8, name);
            QVERIFY2(format.Format.nAvgBytesPerSec == 44100u * format.Format.nBlockAlign, name);
            const bool plain = row.tag == WAVE_FORMAT_PCM;
            QVERIFY2(format.Format.cbSize == (plain ? 0 : 22), name);
            QVERIFY2(plain || format.Samples.wValidBitsPerSample == bits, name);
            QVERIFY2(plain || format.dwChannelMask == row.speakers, name);
            QVERIFY2(plain || (format.SubFormat.Data1 == quint32(row.subtype) && format.SubFormat.Data4[7] == 0x71), name);
        }
    }

    // A cue from a file still being decoded waits for it, then opens the
    // output (where there is one), and closes it once its sound has played;
    // a file that turns out unplayable says so and opens nothing.
    void aCuesLife()
    {
        QTemporaryDir dir;
        QFile(dir.filePath(QStringLiteral("empty.wav"))).open(QIODevice::WriteOnly);
        for (const QString &path : {QCoreApplication::applicationDirPath() + QStringLiteral("/s01.wav"),
                                    dir.filePath(QStringLiteral("empty.wav"))}) {
            CueDecoder decoder(QCoreApplication::applicationDirPath() + QStringLiteral("/" ORVALEN_CUE_DECODER));
            decoder.decode(path);
            int refused = 0;
            WaveOutVoice voice(&decoder, path, [&refused] { ++refused; });
            QVERIFY(!voice.sounding());
            QVERIFY(QSignalSpy(&decoder, &CueDecoder::decoded).wait(5000));
            const bool playable = path.endsWith(QLatin1String("s01.wav"));
            QCOMPARE(refused, playable ? 0 : 1);
            QCOMPARE(voice.sounding(), playable && waveOutGetNumDevs() > 0);
            QTRY_VERIFY_WITH_TIMEOUT(!voice.sounding(), 5000);
        }
    }
};

QTEST_GUILESS_MAIN(TestWindows)
#include "tst_windows.moc"
