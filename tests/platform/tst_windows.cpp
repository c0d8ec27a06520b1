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
    void theWaveFormat_data()
    {
        QTest::addColumn<bool>("floats");
        QTest::addColumn<int>("channels");
        QTest::addColumn<int>("tag");
        QTest::addColumn<int>("blockAlign");
        QTest::addColumn<quint32>("speakers");
        QTest::addColumn<int>("subtype");
        QTest::newRow("16-bit mono") << false << 1 << WAVE_FORMAT_PCM << 2 << 0u << 0;
        QTest::newRow("16-bit stereo") << false << 2 << WAVE_FORMAT_PCM << 4 << 0u << 0;
        QTest::newRow("16-bit 5.1") << false << 6 << WAVE_FORMAT_EXTENSIBLE << 12 << 0x3fu << WAVE_FORMAT_PCM;
        QTest::newRow("float mono") << true << 1 << WAVE_FORMAT_EXTENSIBLE << 4 << 0x4u << WAVE_FORMAT_IEEE_FLOAT;
        QTest::newRow("float stereo") << true << 2 << WAVE_FORMAT_EXTENSIBLE << 8 << 0x3u << WAVE_FORMAT_IEEE_FLOAT;
        QTest::newRow("float 7.1") << true << 8 << WAVE_FORMAT_EXTENSIBLE << 32 << 0x63fu << WAVE_FORMAT_IEEE_FLOAT;
        QTest::newRow("10 channels") << false << 10 << WAVE_FORMAT_EXTENSIBLE << 20 << 0x3ffu << WAVE_FORMAT_PCM;
        QTest::newRow("more than speakers") << false << 32 << WAVE_FORMAT_EXTENSIBLE << 64 << 0u << WAVE_FORMAT_PCM;
    }
    void theWaveFormat()
    {
        QFETCH(bool, floats);
        QFETCH(int, channels);
        QFETCH(int, tag);
        QFETCH(int, blockAlign);
        QFETCH(quint32, speakers);
        QFETCH(int, subtype);
        CueSound sound;
        sound.format = floats ? CueSound::Format::Float32 : CueSound::Format::S16;
        sound.channels = channels;
        sound.rate = 44100;
        const WAVEFORMATEXTENSIBLE format = waveFormatOf(sound);
        QCOMPARE(format.Format.wFormatTag, tag);
        QCOMPARE(format.Format.nChannels, channels);
        QCOMPARE(format.Format.nSamplesPerSec, 44100u);
        QCOMPARE(format.Format.nBlockAlign, blockAlign);
        QCOMPARE(format.Format.nAvgBytesPerSec, 44100u * blockAlign);
        QCOMPARE(format.Format.wBitsPerSample, floats ? 32 : 16);
        if (tag == WAVE_FORMAT_PCM) {
            QCOMPARE(format.Format.cbSize, 0);
            return;
        }
        QCOMPARE(format.Format.cbSize, 22);
        QCOMPARE(format.Samples.wValidBitsPerSample, floats ? 32 : 16);
        QCOMPARE(format.dwChannelMask, speakers);
        QCOMPARE(format.SubFormat.Data1, quint32(subtype));
        QCOMPARE(format.SubFormat.Data4[7], 0x71);
    }

    // A cue from a file still being decoded waits for it, then opens the
    // output, and closes it once its sound has played; one cut closes it at
    // once; a file that turns out unplayable says so and opens nothing.
    void aCuesLife_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("cut");
        QTest::newRow("played to its end") << "s01.wav" << false;
        QTest::newRow("cut") << "s05.wav" << true;
        QTest::newRow("unplayable") << "empty.wav" << false;
    }
    void aCuesLife()
    {
        QFETCH(QString, file);
        QFETCH(bool, cut);
        QTemporaryDir dir;
        QFile(dir.filePath(QStringLiteral("empty.wav"))).open(QIODevice::WriteOnly);
        const QString path = file == u"empty.wav" ? dir.filePath(file) : QCoreApplication::applicationDirPath() + u'/' + file;
        CueDecoder decoder(QCoreApplication::applicationDirPath() + QStringLiteral("/" ORVALEN_CUE_DECODER));
        decoder.decode(path);
        int refused = 0;
        auto voice = std::make_unique<WaveOutVoice>(&decoder, path, [&refused] { ++refused; });
        QVERIFY(!voice->sounding());
        QSignalSpy decoded(&decoder, &CueDecoder::decoded);
        QVERIFY(decoded.wait(5000));
        QCOMPARE(refused, file == u"empty.wav" ? 1 : 0);
        if (refused || waveOutGetNumDevs() == 0) {
            QVERIFY(!voice->sounding());
            return;
        }
        QVERIFY(voice->sounding());
        if (cut)
            voice.reset();
        else
            QTRY_VERIFY_WITH_TIMEOUT(!voice->sounding(), 5000);
    }
};

QTEST_GUILESS_MAIN(TestWindows)
#include "tst_windows.moc"
