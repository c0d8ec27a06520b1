// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Makes the program's own picture, icons and cue files:
//   background.gif  329 x 249, the main menu's backdrop
//   icon16.png, icon32.png  the window icon, 16 colours each
//   s01.wav .. s05.wav  the five cues
// Usage: orvalen_make_resources <output folder>
// Everything is drawn or synthesised here, so the output is reproducible.

#include "gifwriter.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <numbers>
#include <vector>

namespace {

using namespace tools;

// ---------------------------------------------------------------- pictures

QImage drawBackground()
{
    QImage img(329, 249, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, 0, img.height());
    sky.setColorAt(0.0, QColor(0xd7, 0xe6, 0xf2));
    sky.setColorAt(0.55, QColor(0xe9, 0xef, 0xf1));
    sky.setColorAt(1.0, QColor(0xf5, 0xef, 0xe0));
    p.fillRect(img.rect(), sky);

    // Ruled lines of a study notebook, with its margin line.
    p.setPen(QPen(QColor(0xbf, 0xd0, 0xe0), 1));
    for (int y = 68; y < img.height(); y += 14)
        p.drawLine(0, y, img.width(), y);
    p.setPen(QPen(QColor(0xe4, 0xb8, 0xb8), 1));
    p.drawLine(22, 60, 22, img.height());

    // A quiet clock face in the lower right corner.
    const QPointF centre(282, 206);
    const double radius = 58;
    p.setPen(QPen(QColor(0xa9, 0xbf, 0xd3), 3));
    p.setBrush(QColor(0xf3, 0xf6, 0xf8));
    p.drawEllipse(centre, radius, radius);
    for (int i = 0; i < 12; ++i) {
        const double a = i * std::numbers::pi / 6;
        const double inner = (i % 3 == 0) ? radius - 12 : radius - 7;
        p.setPen(QPen(QColor(0x9a, 0xb2, 0xc8), i % 3 == 0 ? 3 : 2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(centre + QPointF(std::sin(a) * inner, -std::cos(a) * inner),
                   centre + QPointF(std::sin(a) * (radius - 3), -std::cos(a) * (radius - 3)));
    }
    p.setPen(QPen(QColor(0x7f, 0x9a, 0xb4), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre, centre + QPointF(-22, -24));
    p.setPen(QPen(QColor(0x7f, 0x9a, 0xb4), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre, centre + QPointF(34, -14));

    p.end();
    return img;
}

QImage drawIcon(int size)
{
    QImage img(size, size, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size / 32.0;
    p.scale(s, s);

    // A clock face on a teal tile, with a gold mark at twelve.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2e, 0x6b, 0x7a));
    p.drawRoundedRect(QRectF(1, 1, 30, 30), 6, 6);
    p.setBrush(QColor(0xf7, 0xf4, 0xea));
    p.drawEllipse(QPointF(16, 16), 11.5, 11.5);
    p.setBrush(QColor(0xe0, 0xa8, 0x30));
    p.drawEllipse(QPointF(16, 7), 1.8, 1.8);
    p.setPen(QPen(QColor(0x27, 0x3a, 0x4a), 2.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(16, 16), QPointF(16, 9.5));
    p.drawLine(QPointF(16, 16), QPointF(21.5, 18.5));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xc0, 0x3a, 0x2e));
    p.drawEllipse(QPointF(16, 16), 1.8, 1.8);
    p.end();
    return img;
}

// The same icon as scalable vector graphics, for desktops that scale it.
QByteArray iconSvg()
{
    return QByteArrayLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"32\" height=\"32\" viewBox=\"0 0 32 32\">\n"
        "  <rect x=\"1\" y=\"1\" width=\"30\" height=\"30\" rx=\"6\" fill=\"#2e6b7a\"/>\n"
        "  <circle cx=\"16\" cy=\"16\" r=\"11.5\" fill=\"#f7f4ea\"/>\n"
        "  <circle cx=\"16\" cy=\"7\" r=\"1.8\" fill=\"#e0a830\"/>\n"
        "  <g stroke=\"#273a4a\" stroke-width=\"2.6\" stroke-linecap=\"round\">\n"
        "    <line x1=\"16\" y1=\"16\" x2=\"16\" y2=\"9.5\"/>\n"
        "    <line x1=\"16\" y1=\"16\" x2=\"21.5\" y2=\"18.5\"/>\n"
        "  </g>\n"
        "  <circle cx=\"16\" cy=\"16\" r=\"1.8\" fill=\"#c03a2e\"/>\n"
        "</svg>\n");
}

// ---------------------------------------------------------------- sound

constexpr int kRate = 22050;

struct Note
{
    double start;     // seconds
    double freq;      // Hz
    double length;    // seconds
    double amplitude; // 0..1
    double decay;     // per second, exponential
};

std::vector<double> render(const std::vector<Note> &notes, double total, bool bell)
{
    std::vector<double> out(size_t(total * kRate), 0.0);
    for (const Note &n : notes) {
        const size_t first = size_t(n.start * kRate);
        const size_t count = size_t(n.length * kRate);
        for (size_t i = 0; i < count && first + i < out.size(); ++i) {
            const double t = double(i) / kRate;
            const double attack = std::min(1.0, t / 0.004);
            const double release = std::min(1.0, (n.length - t) / 0.010);
            const double env = attack * std::max(0.0, release) * std::exp(-n.decay * t);
            double v = std::sin(2 * std::numbers::pi * n.freq * t);
            if (bell) // a few inharmonic partials give a soft bell
                v = 0.70 * v + 0.20 * std::sin(2 * std::numbers::pi * n.freq * 2.76 * t) * std::exp(-6 * t)
                    + 0.10 * std::sin(2 * std::numbers::pi * n.freq * 5.40 * t) * std::exp(-12 * t);
            out[first + i] += n.amplitude * env * v;
        }
    }
    return out;
}

bool writeWav(std::vector<double> samples, const QString &path)
{
    // Trailing silence: a player may stop its output stream as soon as the
    // last sample is handed over, and a cue shorter than the stream's buffer
    // would then be cut off unheard.
    samples.resize(samples.size() + size_t(0.25 * kRate), 0.0);
    QByteArray data;
    for (double v : samples) {
        const int s = int(std::lround(std::clamp(v, -1.0, 1.0) * 32000));
        data.append(char(s & 0xff));
        data.append(char((s >> 8) & 0xff));
    }
    QByteArray wav;
    auto le32 = [&](uint32_t v) { for (int i = 0; i < 4; ++i) wav.append(char((v >> (8 * i)) & 0xff)); };
    auto le16 = [&](uint16_t v) { wav.append(char(v & 0xff)); wav.append(char(v >> 8)); };
    wav.append("RIFF");
    le32(uint32_t(36 + data.size()));
    wav.append("WAVEfmt ");
    le32(16);
    le16(1);          // PCM
    le16(1);          // mono
    le32(kRate);
    le32(kRate * 2);  // bytes a second
    le16(2);          // bytes a frame
    le16(16);         // bits a sample
    wav.append("data");
    le32(uint32_t(data.size()));
    wav.append(data);
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(wav) == wav.size();
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    bool ok = true;

    const QImage background = drawBackground();
    ok &= writeGif(toIndexed(background, popularityPalette(background, 256, false)),
                   dir.filePath("background.gif"));
    // The window icon: 16 colours at 16 and 32 pixels.
    for (int size : {16, 32}) {
        const QImage icon = drawIcon(size);
        ok &= toIndexed(icon, popularityPalette(icon, 16, true)).save(dir.filePath(QString("icon%1.png").arg(size)));
    }
    // The desktop's icon theme: full colour, and scalable.
    for (int size : {16, 32, 48, 128})
        ok &= drawIcon(size).save(dir.filePath(QString("hicolor-%1.png").arg(size)));
    QFile svg(dir.filePath("hicolor.svg"));
    ok &= svg.open(QIODevice::WriteOnly) && svg.write(iconSvg()) > 0;

    // s01: a wooden tick for each second of the start countdown.
    ok &= writeWav(render({{0.0, 1760, 0.06, 0.55, 60}, {0.0, 880, 0.05, 0.25, 80}}, 0.08, false),
                   dir.filePath("s01.wav"));
    // s02: a two-tone chime for a phase change or a used-up budget.
    ok &= writeWav(render({{0.0, 1318.5, 0.7, 0.45, 4}, {0.28, 1046.5, 0.8, 0.45, 4}}, 1.1, true),
                   dir.filePath("s02.wav"));
    // s03: a rising start signal.
    ok &= writeWav(render({{0.00, 523.25, 0.16, 0.45, 3}, {0.12, 659.25, 0.16, 0.45, 3},
                           {0.24, 783.99, 0.16, 0.45, 3}, {0.36, 1046.5, 0.45, 0.50, 4}}, 0.85, true),
                   dir.filePath("s03.wav"));
    // s04: a falling end signal that settles on the tonic.
    ok &= writeWav(render({{0.00, 1046.5, 0.30, 0.40, 3}, {0.22, 783.99, 0.30, 0.40, 3},
                           {0.44, 659.25, 0.30, 0.40, 3}, {0.66, 523.25, 1.00, 0.50, 2.5}}, 1.7, true),
                   dir.filePath("s04.wav"));
    // s05: the alarm, two quick bright beeps; well under a second because it
    // repeats every second.
    ok &= writeWav(render({{0.00, 1975.5, 0.09, 0.40, 6}, {0.15, 1975.5, 0.09, 0.40, 6}}, 0.28, false),
                   dir.filePath("s05.wav"));

    if (!ok) {
        std::fprintf(stderr, "could not write every file\n");
        return 1;
    }
    return 0;
}
