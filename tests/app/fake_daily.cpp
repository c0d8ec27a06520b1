// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Stands in for the companion program: each start adds a line to
// starts.log in the folder it is started in.

#include <cstdio>

int main()
{
    std::FILE *log = std::fopen("starts.log", "a");
    if (!log)
        return 1;
    std::fputs("started\n", log);
    return std::fclose(log) == 0 ? 0 : 1;
}
