// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Indexed colour for the program's pictures: a popularity palette, and a
// GIF writer (the background is a GIF, as the designed window expects).
#pragma once

#include <QImage>
#include <QList>
#include <QString>

namespace tools {

struct Palette
{
    QList<QRgb> colors;
    int nearest(QRgb c) const;
};

// A popularity palette over colours bucketed to 4 bits a channel: fine for
// the soft, few-hued drawings made here.
Palette popularityPalette(const QImage &img, int size, bool keepTransparent);
QImage toIndexed(const QImage &img, const Palette &pal);
bool writeGif(const QImage &indexed, const QString &path);

} // namespace tools
