// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/cuefile.h"

namespace orv {

QString cueFile(Cue cue)
{
    // s01.wav for the first cue, s05.wav for the last.
    return QStringLiteral("s0%1.wav").arg(int(cue) + 1);
}

} // namespace orv
