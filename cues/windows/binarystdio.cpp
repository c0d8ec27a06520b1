// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Linked into the decoder program on Windows: its standard output carries
// samples, which text mode would corrupt at every byte 10, and its input a
// path, which text mode would end at a byte 26.

#include <cstdio>
#include <fcntl.h>
#include <io.h>

namespace {
const bool binary = _setmode(_fileno(stdin), _O_BINARY) != -1 && _setmode(_fileno(stdout), _O_BINARY) != -1;
}
