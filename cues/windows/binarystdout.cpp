// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Linked into the decoder program on Windows: its standard output carries
// samples, which text mode would corrupt at every byte 10.

#include <cstdio>
#include <fcntl.h>
#include <io.h>

namespace {
const int binaryStdout = _setmode(_fileno(stdout), _O_BINARY);
}
