// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cues/cuesound.h"

#include <QFile>
#include <QtEndian>

#include <sndfile.h>

#include <cstring>
#include <limits>
#include <memory>
#include <mutex>

namespace orv {

namespace {

// The file's bytes as libsndfile reads a file: a seek may go past the end,
// where reads give nothing.
struct Memory
{
    const QByteArray &bytes;
    sf_count_t at = 0;
};

sf_count_t memoryLength(void *memory)
{
    return static_cast<Memory *>(memory)->bytes.size();
}

sf_count_t memorySeek(sf_count_t offset, int whence, void *memory)
{
    auto *m = static_cast<Memory *>(memory);
    const sf_count_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? m->at : m->bytes.size();
    // Offsets come from the file's own headers: any number at all.
    if ((offset > 0 && base > std::numeric_limits<sf_count_t>::max() - offset) || base + offset < 0)
        return -1;
    m->at = base + offset;
    return m->at;
}

sf_count_t memoryRead(void *out, sf_count_t count, void *memory)
{
    auto *m = static_cast<Memory *>(memory);
    const sf_count_t left = qMax<sf_count_t>(0, m->bytes.size() - m->at);
    const sf_count_t n = qBound<sf_count_t>(0, count, left);
    if (n > 0)
        std::memcpy(out, m->bytes.constData() + m->at, size_t(n));
    m->at += n;
    return n;
}

sf_count_t memoryWrite(const void *, sf_count_t, void *)
{
    return 0;
}

sf_count_t memoryTell(void *memory)
{
    return static_cast<Memory *>(memory)->at;
}

CueSound refused(const QString &why)
{
    CueSound sound;
    sound.problem = why;
    return sound;
}

// Sub-formats whose samples lose precision as 16 bits.
bool wider(int subtype)
{
    switch (subtype) {
    case SF_FORMAT_PCM_24:
    case SF_FORMAT_PCM_32:
    case SF_FORMAT_FLOAT:
    case SF_FORMAT_DOUBLE:
    case SF_FORMAT_DWVW_24:
    case SF_FORMAT_DWVW_N:
    case SF_FORMAT_VORBIS:
    case SF_FORMAT_OPUS:
    case SF_FORMAT_ALAC_20:
    case SF_FORMAT_ALAC_24:
    case SF_FORMAT_ALAC_32:
    case SF_FORMAT_MPEG_LAYER_I:
    case SF_FORMAT_MPEG_LAYER_II:
    case SF_FORMAT_MPEG_LAYER_III:
    case SF_FORMAT_NMS_ADPCM_24:
    case SF_FORMAT_NMS_ADPCM_32:
        return true;
    default:
        return false;
    }
}

// A file's sound, read at most `frames` frames far, in blocks, so that a
// header that claims more than the file holds costs nothing.
template <typename Sample>
QByteArray readFrames(SNDFILE *file, int channels, sf_count_t frames,
                      sf_count_t (*read)(SNDFILE *, Sample *, sf_count_t))
{
    constexpr sf_count_t kBlock = 4096;
    QByteArray samples;
    for (sf_count_t done = 0; done < frames;) {
        const sf_count_t want = qMin(kBlock, frames - done);
        const qsizetype at = samples.size();
        samples.resize(at + qsizetype(want * channels * sizeof(Sample)));
        const sf_count_t got = read(file, reinterpret_cast<Sample *>(samples.data() + at), want);
        samples.resize(at + qsizetype(qMax<sf_count_t>(0, got) * channels * sizeof(Sample)));
        if (got < want)
            break;
        done += got;
    }
    return samples;
}

// libsndfile 1.2.0 can loop for ever on a WAV file's metadata (a LIST
// chunk claiming more than the file holds, found by fuzzing). A cue needs
// none of it, so a WAV file is handed over with its fmt, fact and data
// chunks only; a chunk cut short stays cut short.
QByteArray soundChunksOnly(const QByteArray &file)
{
    if (file.size() < 12 || !file.startsWith("RIFF") || file.mid(8, 4) != "WAVE")
        return file;
    QByteArray kept = file.left(12);
    bool dropped = false;
    for (qsizetype at = 12; at + 8 <= file.size();) {
        const QByteArray id = file.mid(at, 4);
        const qint64 declared = qFromLittleEndian<quint32>(file.constData() + at + 4);
        const qsizetype end = qsizetype(qMin<qint64>(file.size(), at + 8 + declared + (declared & 1)));
        if (id == "fmt " || id == "fact" || id == "data")
            kept += file.mid(at, end - at);
        else
            dropped = true;
        at = end;
    }
    // Most files have nothing else: they are not copied.
    if (!dropped)
        return file;
    qToLittleEndian<quint32>(quint32(kept.size() - 8), kept.data() + 4);
    return kept;
}

// Why a sound of these channels and rate cannot go to a sound server.
QString beyondServer(int channels, int rate)
{
    if (channels < 1)
        return QStringLiteral("no channels");
    if (channels > kMaxCueChannels)
        return QStringLiteral("%1 channels, more than a sound server takes").arg(channels);
    if (rate < 1 || rate > kMaxCueRate)
        return QStringLiteral("a rate of %1 Hz").arg(rate);
    return {};
}

} // namespace

CueSound decodeCue(const QByteArray &whole)
{
    const QByteArray file = soundChunksOnly(whole);
    Memory memory{file};
    SF_VIRTUAL_IO io{memoryLength, memorySeek, memoryRead, memoryWrite, memoryTell};
    SF_INFO info{};
    SNDFILE *handle = nullptr;
    QString why;
    {
        // A failed open leaves its reason in libsndfile's one global error,
        // and cue files are read on more than one thread.
        static std::mutex opening;
        const std::lock_guard lock(opening);
        handle = sf_open_virtual(&io, SFM_READ, &info, &memory);
        if (!handle)
            why = QString::fromUtf8(sf_strerror(nullptr));
    }
    if (!handle)
        return refused(why);
    const std::unique_ptr<SNDFILE, int (*)(SNDFILE *)> closing(handle, sf_close);
    if (const QString why = beyondServer(info.channels, info.samplerate); !why.isEmpty())
        return refused(why);

    CueSound sound;
    sound.channels = info.channels;
    sound.rate = info.samplerate;
    sound.format = wider(info.format & SF_FORMAT_SUBMASK) ? CueSound::Format::Float32 : CueSound::Format::S16;
    const qint64 sampleBytes = sound.format == CueSound::Format::S16 ? 2 : 4;
    const sf_count_t frames = qMin<qint64>(qint64(kMaxCueSeconds) * sound.rate,
                                           kMaxCueSampleBytes / (sampleBytes * sound.channels));
    sound.samples = sound.format == CueSound::Format::S16
        ? readFrames<short>(handle, sound.channels, frames, sf_readf_short)
        : readFrames<float>(handle, sound.channels, frames, sf_readf_float);
    if (sound.samples.isEmpty()) {
        const int error = sf_error(handle);
        return refused(error ? QString::fromUtf8(sf_error_number(error)) : QStringLiteral("no sound in it"));
    }
    return sound;
}

namespace {
// "ORVC", then the format, channels and rate, the lengths of the problem
// (UTF-8) and of the samples, then the problem and the samples, in the
// machine's byte order: the two ends are always the same build on the same
// machine.
constexpr char kPackTag[] = "ORVC";
struct PackHead
{
    char tag[4];
    qint32 format;
    qint32 channels;
    qint32 rate;
    qint32 problemBytes;
    qint32 sampleBytes;
};

CueSound notAnAnswer()
{
    return refused(QStringLiteral("the decoder's answer is not one"));
}
} // namespace

QByteArray packCueSound(const CueSound &sound)
{
    const QByteArray problem = sound.problem.toUtf8();
    PackHead head{{}, int(sound.format), sound.channels, sound.rate, qint32(problem.size()), qint32(sound.samples.size())};
    std::memcpy(head.tag, kPackTag, sizeof head.tag);
    QByteArray packed(reinterpret_cast<const char *>(&head), sizeof head);
    packed.reserve(packed.size() + problem.size() + sound.samples.size());
    packed += problem;
    packed += sound.samples;
    return packed;
}

qint64 packedSize(const QByteArray &start)
{
    PackHead head{};
    if (start.size() < qsizetype(sizeof head))
        return 0;
    std::memcpy(&head, start.constData(), sizeof head);
    if (head.problemBytes < 0 || head.sampleBytes < 0 || head.sampleBytes > kMaxCueSampleBytes)
        return 0;
    return qint64(sizeof head) + head.problemBytes + head.sampleBytes;
}

CueSound unpackCueSound(QByteArray packed)
{
    PackHead head{};
    if (packed.size() < qsizetype(sizeof head))
        return refused(QStringLiteral("the decoder gave no answer"));
    std::memcpy(&head, packed.constData(), sizeof head);
    if (std::memcmp(head.tag, kPackTag, sizeof head.tag) != 0 || packedSize(packed) != packed.size())
        return notAnAnswer();
    if (head.problemBytes > 0)
        return refused(QString::fromUtf8(packed.constData() + sizeof head, head.problemBytes));
    CueSound sound;
    sound.format = head.format == int(CueSound::Format::Float32) ? CueSound::Format::Float32 : CueSound::Format::S16;
    sound.channels = head.channels;
    sound.rate = head.rate;
    // What the decoder would have refused, or no whole frames, is no answer.
    if ((head.format != 0 && head.format != 1) || !beyondServer(sound.channels, sound.rate).isEmpty()
        || head.sampleBytes == 0 || head.sampleBytes % ((sound.format == CueSound::Format::S16 ? 2 : 4) * sound.channels) != 0)
        return notAnAnswer();
    // In place: a minute of sound is not copied again.
    packed.remove(0, sizeof head);
    sound.samples = std::move(packed);
    return sound;
}

CueSound readCueFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refused(QStringLiteral("cannot be read"));
    // Mapped, only what the codec reads of a long file is read at all.
    const qint64 size = qMin(file.size(), kMaxCueFileBytes);
    if (const uchar *mapped = size > 0 ? file.map(0, size) : nullptr)
        return decodeCue(QByteArray::fromRawData(reinterpret_cast<const char *>(mapped), qsizetype(size)));
    return decodeCue(file.read(kMaxCueFileBytes));
}

} // namespace orv
