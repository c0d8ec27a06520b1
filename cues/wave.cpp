// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cues/wave.h"

#include <QFile>
#include <QtEndian>

#include <optional>

namespace orv {

namespace {

constexpr quint16 kPcm = 0x0001;
constexpr quint16 kFloat = 0x0003;
constexpr quint16 kExtensible = 0xFFFE;
// The GUID of an extensible header's sub-format after its first two bytes
// (which hold the format tag): 0000-0010-8000-00AA00389B71.
constexpr char kSubFormatTail[] = "\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71";

struct Chunk
{
    qsizetype at;   // where its body starts
    qsizetype size; // as much of the body as the file holds
};

quint16 le16(const char *p)
{
    return qFromLittleEndian<quint16>(p);
}

quint32 le32(const char *p)
{
    return qFromLittleEndian<quint32>(p);
}

Wave refused(const QString &why)
{
    Wave wave;
    wave.problem = why;
    return wave;
}

QString hex(quint16 tag)
{
    return QStringLiteral("0x%1").arg(QString::number(tag, 16).toUpper().rightJustified(4, u'0'));
}

// The format of a sample of `bits` bits under `tag`, or why there is none.
std::optional<Wave::Format> sampleFormat(quint16 tag, int bits, QString &why)
{
    if (tag == kPcm && bits == 8)
        return Wave::Format::S16; // widened as it is read
    if (tag == kPcm && bits == 16)
        return Wave::Format::S16;
    if (tag == kPcm && bits == 24)
        return Wave::Format::S24;
    if (tag == kPcm && bits == 32)
        return Wave::Format::S32;
    if (tag == kFloat && bits == 32)
        return Wave::Format::Float32;
    why = tag == kPcm || tag == kFloat
        ? QStringLiteral("%1-bit %2 is not supported").arg(bits).arg(tag == kPcm ? "PCM" : "float")
        : QStringLiteral("format %1 is not PCM").arg(hex(tag));
    return std::nullopt;
}

} // namespace

int Wave::frameBytes() const
{
    // Bytes a sample, by format.
    static constexpr int bytes[] = {2, 3, 4, 4};
    return bytes[int(format)] * channels;
}

Wave readWave(const QByteArray &file)
{
    if (file.size() < 12 || !file.startsWith("RIFF") || file.mid(8, 4) != "WAVE")
        return refused(QStringLiteral("not a RIFF WAVE file"));
    std::optional<Chunk> fmt, data;
    // Chunks in any order, each padded to an even size; the sizes in the
    // header are not trusted beyond the end of the file.
    for (qsizetype at = 12; at + 8 <= file.size();) {
        const QByteArray id = file.mid(at, 4);
        const qsizetype declared = le32(file.constData() + at + 4);
        const qsizetype body = at + 8;
        const Chunk chunk{body, qMin(declared, file.size() - body)};
        if (id == "fmt " && !fmt)
            fmt = chunk;
        else if (id == "data" && !data)
            data = chunk;
        // A size past the end of the file ends the walk with the chunk clamped.
        at = body + declared + (declared & 1);
    }
    if (!fmt)
        return refused(QStringLiteral("no fmt chunk"));
    if (fmt->size < 16)
        return refused(QStringLiteral("fmt chunk too short (%1 bytes)").arg(fmt->size));
    const char *f = file.constData() + fmt->at;
    quint16 tag = le16(f);
    const int bits = le16(f + 14);
    if (tag == kExtensible) {
        if (fmt->size < 40 || le16(f + 16) < 22)
            return refused(QStringLiteral("extensible fmt chunk too short (%1 bytes)").arg(fmt->size));
        if (QByteArray(f + 26, 14) != QByteArray(kSubFormatTail, 14))
            return refused(QStringLiteral("extensible sub-format is not PCM"));
        tag = le16(f + 24);
    }
    Wave wave;
    QString why;
    const std::optional<Wave::Format> format = sampleFormat(tag, bits, why);
    if (!format)
        return refused(why);
    wave.format = *format;
    wave.channels = le16(f + 2);
    wave.rate = le32(f + 4);
    if (wave.channels == 0)
        return refused(QStringLiteral("no channels"));
    if (wave.channels > kMaxWaveChannels)
        return refused(QStringLiteral("%1 channels, more than a sound server takes").arg(wave.channels));
    if (wave.rate == 0 || wave.rate > kMaxWaveRate)
        return refused(QStringLiteral("a rate of %1 Hz").arg(wave.rate));
    if (!data)
        return refused(QStringLiteral("no data chunk"));
    const qsizetype fileFrame = qsizetype(bits / 8) * wave.channels;
    const qsizetype frames = data->size / fileFrame;
    if (frames == 0)
        return refused(QStringLiteral("no sound in its data chunk"));
    const char *samples = file.constData() + data->at;
    if (bits == 8) {
        wave.pcm.resize(frames * fileFrame * 2);
        auto *out = reinterpret_cast<qint16 *>(wave.pcm.data());
        for (qsizetype i = 0; i < frames * fileFrame; ++i)
            out[i] = qToLittleEndian<qint16>(qint16((quint8(samples[i]) - 128) * 256));
    } else {
        wave.pcm = QByteArray(samples, frames * fileFrame);
    }
    return wave;
}

Wave readWaveFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refused(QStringLiteral("cannot be read"));
    if (file.size() > kMaxWaveBytes)
        return refused(QStringLiteral("larger than %1 MiB").arg(kMaxWaveBytes >> 20));
    return readWave(file.readAll());
}

} // namespace orv
