// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

// orvalen-cue-decoder <file>: decodes one cue file and writes its sound, or
// why it cannot be played, to standard output (packCueSound()). The program
// runs it, one process a file, and kills it when it takes too long.

#include "cues/cuesound.h"

#include <QString>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc != 2)
        return 2;
    const QByteArray packed = orv::packCueSound(orv::readCueFile(QString::fromLocal8Bit(argv[1])));
    const bool written = std::fwrite(packed.constData(), 1, size_t(packed.size()), stdout) == size_t(packed.size());
    return written && std::fflush(stdout) == 0 ? 0 : 1;
}
