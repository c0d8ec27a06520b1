// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A cue decoder that misbehaves as ORVALEN_FAKE_DECODER says: "spin" for
// ever, "crash", "fail", say nothing ("silent") or answer in "part".

#include <cstdio>
#include <cstdlib>
#include <string>

int main()
{
    const std::string mode = std::getenv("ORVALEN_FAKE_DECODER") ? std::getenv("ORVALEN_FAKE_DECODER") : "";
    for (volatile bool spin = mode == "spin"; spin;) { }
    if (mode == "crash")
        __builtin_trap();
    if (mode == "part")
        std::fwrite("ORVC\0\0\0\0\1\0\0\0\100", 1, 13, stdout);
    return mode == "fail" ? 3 : 0;
}
