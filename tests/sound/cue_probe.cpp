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

#include <chrono>
#include <cstdio>
#include <iostream>
#include <string>
#include <thread>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QString start = QDir::currentPath();
    orv::prepareCues(); // as the program does once its menu is up
    // Standard input is read on a thread of its own, as Windows' event loop
    // cannot watch it; each cue is requested on the GUI thread, as the
    // program requests them.
    std::thread reader([&app, &start] {
        std::string line;
        while (std::getline(std::cin, line)) {
            const double now = std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
            const QString path = QString::fromStdString(line).section(u' ', 1);
            QMetaObject::invokeMethod(&app, [&start, path, now] {
                QDir::setCurrent(QDir(start).filePath(path.section(u'/', 0, -2)));
                for (const orv::Cue cue : orv::kCues)
                    if (orv::cueFile(cue) == path.section(u'/', -1))
                        orv::PlayCue(cue);
                std::printf("at %.6f\n", now);
                std::fflush(stdout);
            }, Qt::BlockingQueuedConnection);
        }
        QMetaObject::invokeMethod(&app, &QCoreApplication::quit, Qt::QueuedConnection);
    });
    const int status = QCoreApplication::exec();
    reader.join();
    orv::stopCues();
    return status;
}
