// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Plays cues through the real cue service on command, for the real-sound
// check (tests/sound/sound_check.py): one command a line on standard input,
// and for each a line "at <monotonic time of the request>" on standard
// output.
//   cue [<folder>/]<file>   a cue request for the cue whose file that is
//                           (s01.wav ... s05.wav), played from <folder>
//                           under the folder the probe started in, as the
//                           program plays a candidate's files from the
//                           folder it starts in

#include "common/cuefile.h"
#include "cues/cue.h"

#include <QCoreApplication>
#include <QDir>
#include <QSocketNotifier>

#include <cstdio>
#include <iostream>
#include <string>
#include <time.h>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QString start = QDir::currentPath();
    orv::prepareCues(); // as the program does once its menu is up
    QSocketNotifier input(0, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&start] {
        std::string line;
        if (!std::getline(std::cin, line)) {
            QCoreApplication::quit();
            return;
        }
        timespec now;
        clock_gettime(CLOCK_MONOTONIC, &now);
        const QString path = QString::fromStdString(line).section(u' ', 1);
        QDir::setCurrent(QDir(start).filePath(path.section(u'/', 0, -2)));
        for (const orv::Cue cue : orv::kCues)
            if (orv::cueFile(cue) == path.section(u'/', -1))
                orv::PlayCue(cue);
        std::printf("at %.6f\n", double(now.tv_sec) + double(now.tv_nsec) / 1e9);
        std::fflush(stdout);
    });
    const int status = QCoreApplication::exec();
    orv::stopCues();
    return status;
}
