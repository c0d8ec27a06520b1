// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The floor: the least a Qt Widgets timer can be. One window, one label
// updated by a 1000 ms precise timer. With BENCH_TICKS=n it prints the timing
// of n ticks and quits.

#include "ticks.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QLabel label(QStringLiteral("0"));
    label.setWindowTitle(QStringLiteral("Floor"));
    label.resize(312, 213);
    label.show();

    const int wanted = qEnvironmentVariableIntValue("BENCH_TICKS");
    TickLog log(wanted);
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    timer.setInterval(1000);
    int count = 0;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        label.setText(QString::number(++count));
        if (wanted > 0 && log.tick()) {
            log.print(1000);
            QCoreApplication::quit();
        }
    });
    timer.start();
    return QApplication::exec();
}
