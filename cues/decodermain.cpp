// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

// orvalen-cue-decoder: decodes one cue file, whose path it reads from
// standard input (UTF-8, so any name reaches it whole on every system), and
// writes its sound, or why it cannot be played, to standard output
// (packCueSound()). The program runs it, one process a file, and kills it
// when it takes too long.

#include "cues/cuesound.h"

#include <QString>

#include <cstdio>
#include <string>

int main()
{
    std::string path;
    char chunk[4096];
    while (const size_t got = std::fread(chunk, 1, sizeof chunk, stdin))
        path.append(chunk, got);
    if (path.empty())
        return 2;
    const QByteArray packed = orv::packCueSound(orv::readCueFile(QString::fromStdString(path)));
    const bool written = std::fwrite(packed.constData(), 1, size_t(packed.size()), stdout) == size_t(packed.size());
    return written && std::fflush(stdout) == 0 ? 0 : 1;
}
