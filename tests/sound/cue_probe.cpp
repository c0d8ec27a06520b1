// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Plays cues through the real cue service on command, for the real-sound
// check (tests/sound/sound_check.py): one command a line on standard input,
// and for each a line "at <monotonic time of the request>" on standard
// output, with the latency for "latency".
//   cue <file>   a cue request
//   latency      the output latency the server reports for the cue sounding now

#include "cues/cue.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <cstdio>
#include <iostream>
#include <string>
#include <time.h>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    orv::prepareCues(); // as the program does once its menu is up
    QSocketNotifier input(0, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [] {
        std::string line;
        if (!std::getline(std::cin, line)) {
            QCoreApplication::quit();
            return;
        }
        timespec now;
        clock_gettime(CLOCK_MONOTONIC, &now);
        if (line.rfind("cue ", 0) == 0)
            orv::PlayCue(QString::fromStdString(line.substr(4)));
        std::printf("at %.6f", double(now.tv_sec) + double(now.tv_nsec) / 1e9);
        if (line == "latency")
            std::printf(" latency %lld", static_cast<long long>(orv::cueLatencyMicroseconds()));
        std::printf("\n");
        std::fflush(stdout);
    });
    const int status = QCoreApplication::exec();
    orv::stopCues();
    return status;
}
