// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A cue decoder that misbehaves as ORVALEN_FAKE_DECODER says: "spin" for
// ever, "crash", "fail", say nothing ("silent") or answer in "part".

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main()
{
    const char *mode = std::getenv("ORVALEN_FAKE_DECODER");
    if (!mode)
        return 2;
    if (std::strcmp(mode, "spin") == 0)
        for (volatile bool on = true; on;) {
        }
    if (std::strcmp(mode, "crash") == 0)
        __builtin_trap();
    if (std::strcmp(mode, "fail") == 0)
        return 3;
    if (std::strcmp(mode, "part") == 0)
        std::fwrite("ORVC\0\0\0\0\1\0\0\0\100", 1, 13, stdout);
    return 0;
}
