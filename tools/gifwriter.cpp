// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "gifwriter.h"

#include <QFile>

#include <climits>
#include <cstdint>
#include <map>
#include <vector>

namespace tools {

int Palette::nearest(QRgb c) const
{
    int best = 0;
    long bestDist = LONG_MAX;
    for (int i = 0; i < colors.size(); ++i) {
        const QRgb p = colors[i];
        if (qAlpha(p) != qAlpha(c) && (qAlpha(p) == 0 || qAlpha(c) < 128))
            continue;
        const long dr = qRed(p) - qRed(c), dg = qGreen(p) - qGreen(c), db = qBlue(p) - qBlue(c);
        const long d = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
        if (d < bestDist) {
            bestDist = d;
            best = i;
        }
    }
    return best;
}

Palette popularityPalette(const QImage &img, int size, bool keepTransparent)
{
    struct Bucket { long n = 0, r = 0, g = 0, b = 0; };
    std::map<int, Bucket> buckets;
    bool anyTransparent = false;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb c = img.pixel(x, y);
            if (qAlpha(c) < 128) {
                anyTransparent = true;
                continue;
            }
            const int key = (qRed(c) >> 4) << 8 | (qGreen(c) >> 4) << 4 | (qBlue(c) >> 4);
            Bucket &bk = buckets[key];
            ++bk.n;
            bk.r += qRed(c);
            bk.g += qGreen(c);
            bk.b += qBlue(c);
        }
    std::vector<Bucket> sorted;
    for (const auto &[key, bk] : buckets)
        sorted.push_back(bk);
    std::sort(sorted.begin(), sorted.end(), [](const Bucket &a, const Bucket &b) { return a.n > b.n; });
    Palette pal;
    if (keepTransparent && anyTransparent)
        pal.colors.push_back(qRgba(0, 0, 0, 0));
    for (const Bucket &bk : sorted) {
        if (pal.colors.size() >= size)
            break;
        pal.colors.push_back(qRgb(int(bk.r / bk.n), int(bk.g / bk.n), int(bk.b / bk.n)));
    }
    while (pal.colors.size() < size)
        pal.colors.push_back(qRgb(0, 0, 0));
    return pal;
}

QImage toIndexed(const QImage &img, const Palette &pal)
{
    QImage out(img.size(), QImage::Format_Indexed8);
    out.setColorTable(pal.colors);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            out.setPixel(x, y, uint(pal.nearest(img.pixel(x, y))));
    return out;
}

namespace {

class BitWriter
{
public:
    void put(unsigned code, int bits)
    {
        m_acc |= static_cast<uint32_t>(code) << m_count;
        m_count += bits;
        while (m_count >= 8) {
            bytes.push_back(static_cast<uint8_t>(m_acc & 0xff));
            m_acc >>= 8;
            m_count -= 8;
        }
    }
    void flush()
    {
        if (m_count > 0)
            bytes.push_back(static_cast<uint8_t>(m_acc & 0xff));
        m_acc = 0;
        m_count = 0;
    }
    std::vector<uint8_t> bytes;

private:
    uint32_t m_acc = 0;
    int m_count = 0;
};

std::vector<uint8_t> lzwEncode(const std::vector<uint8_t> &pixels, int minCodeSize)
{
    const unsigned clearCode = 1u << minCodeSize;
    const unsigned endCode = clearCode + 1;
    std::vector<int> table(4096 * 256, -1);
    auto resetTable = [&] { std::fill(table.begin(), table.end(), -1); };

    BitWriter out;
    int codeSize = minCodeSize + 1;
    unsigned maxCode = endCode;
    out.put(clearCode, codeSize);
    unsigned current = pixels.front();
    for (size_t i = 1; i < pixels.size(); ++i) {
        const unsigned next = pixels[i];
        int &entry = table[current * 256 + next];
        if (entry >= 0) {
            current = static_cast<unsigned>(entry);
            continue;
        }
        out.put(current, codeSize);
        entry = static_cast<int>(++maxCode);
        if (maxCode >= (1u << codeSize))
            ++codeSize;
        if (maxCode == 4095) {
            out.put(clearCode, codeSize);
            resetTable();
            codeSize = minCodeSize + 1;
            maxCode = endCode;
        }
        current = next;
    }
    out.put(current, codeSize);
    out.put(endCode, codeSize);
    out.flush();
    return out.bytes;
}

} // namespace

bool writeGif(const QImage &indexed, const QString &path)
{
    QByteArray gif("GIF89a");
    auto le16 = [&](int v) {
        gif.append(char(v & 0xff));
        gif.append(char((v >> 8) & 0xff));
    };
    le16(indexed.width());
    le16(indexed.height());
    gif.append(char(0xF7)); // global table, 8 bits a primary, 256 entries
    gif.append(char(0));
    gif.append(char(0));
    for (int i = 0; i < 256; ++i) {
        const QRgb c = i < indexed.colorCount() ? indexed.color(i) : qRgb(0, 0, 0);
        gif.append(char(qRed(c)));
        gif.append(char(qGreen(c)));
        gif.append(char(qBlue(c)));
    }
    gif.append(char(0x2C));
    le16(0);
    le16(0);
    le16(indexed.width());
    le16(indexed.height());
    gif.append(char(0));
    gif.append(char(8));
    std::vector<uint8_t> pixels;
    pixels.reserve(size_t(indexed.width()) * size_t(indexed.height()));
    for (int y = 0; y < indexed.height(); ++y)
        for (int x = 0; x < indexed.width(); ++x)
            pixels.push_back(static_cast<uint8_t>(indexed.pixelIndex(x, y)));
    const std::vector<uint8_t> data = lzwEncode(pixels, 8);
    for (size_t pos = 0; pos < data.size(); pos += 255) {
        const size_t n = std::min<size_t>(255, data.size() - pos);
        gif.append(char(n));
        gif.append(reinterpret_cast<const char *>(data.data() + pos), qsizetype(n));
    }
    gif.append(char(0));
    gif.append(char(0x3B));
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(gif) == gif.size();
}

} // namespace tools
