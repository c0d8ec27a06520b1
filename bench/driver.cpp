// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Drives Orvalen's real windows for the benchmark.
//   bench_driver ticks <tak|ron|men> <n>  times n ticks of the window's clock at
//                                         1000 ms, as the user would run it
//   bench_driver simulate                 CPU time of a whole multiple-choice
//                                         paper and a whole essay run, ticked
//                                         through the windows and then on
//                                         their models alone

#include "ticks.h"

#include "common/fonts.h"
#include "common/periodictimer.h"
#include "countdown/frmmen.h"
#include "essay/essayrun.h"
#include "essay/frmron.h"
#include "multiple_choice/frmtak.h"
#include "multiple_choice/paper.h"
#include "multiple_choice/question.h"
#include "widgets/formref.h"
#include "widgets/look.h"
#include "app/frmmain.h"

#include <QApplication>

#include <cstdio>
#include <cstring>
#include <ctime>

using namespace orv;

namespace {

double cpuMs()
{
    timespec ts;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

PeriodicTimer *clockOf(QObject *window, const char *name)
{
    return window->findChild<PeriodicTimer *>(QLatin1String(name));
}

int simulate()
{
    FrmMain *menu = formRef<FrmMain>().get();
    menu->show();

    menu->CmdTak_Click();
    FrmTak *tak = formRef<FrmTak>().get();
    clockOf(tak, "Timer2")->setEnabled(false);
    for (int i = 0; i < 3; ++i)
        tak->Timer2_Timer();
    clockOf(tak, "Timer1")->setEnabled(false);
    double start = cpuMs();
    for (int t = 1; t <= 12600; ++t) {
        tak->Timer1_Timer();
        if (t % 200 == 0)
            tak->CmdNext_Click();
    }
    const double paper = cpuMs() - start;
    tak->close();

    menu->CmdRon_Click();
    FrmRon *ron = formRef<FrmRon>().get();
    clockOf(ron, "Timer2")->setEnabled(false);
    for (int i = 0; i < 3; ++i)
        ron->Timer2_Timer();
    clockOf(ron, "Timer1")->setEnabled(false);
    start = cpuMs();
    for (int t = 1; t <= 7200; ++t)
        ron->Timer1_Timer();
    const double essay = cpuMs() - start;
    ron->close();

    // The same on the models: the paper drives the per-question clock as
    // the windows do.
    start = cpuMs();
    Paper model;
    QuestionClock question;
    model.start();
    question.write(QStringLiteral("0"), model.lpDivTime());
    for (int t = 1; t <= 12600; ++t) {
        if (model.tick())
            question.write(question.advanced(), model.lpDivTime());
        if (t % 200 == 0 && model.next())
            question.write(QStringLiteral("0"), model.lpDivTime());
    }
    const double paperModel = cpuMs() - start;
    start = cpuMs();
    EssayRun run;
    for (int t = 1; t <= 7200; ++t)
        run.tick();
    const double essayModel = cpuMs() - start;

    std::printf("paper_cpu_ms %.2f essay_cpu_ms %.2f paper_model_cpu_ms %.2f essay_model_cpu_ms %.2f\n", paper,
                essay, paperModel, essayModel);
    discardAllForms();
    return 0;
}

int ticks(const char *which, int wanted)
{
    FrmMain *menu = formRef<FrmMain>().get();
    menu->show();
    QObject *window = nullptr;
    PeriodicTimer *clock = nullptr;
    if (std::strcmp(which, "tak") == 0) {
        menu->CmdTak_Click();
        window = formRef<FrmTak>().get();
    } else if (std::strcmp(which, "ron") == 0) {
        menu->CmdRon_Click();
        window = formRef<FrmRon>().get();
    } else {
        menu->CmdMen_Click();
        FrmMen *men = formRef<FrmMen>().get();
        men->CmdTime_Click(4); // five minutes: no alarm within the run
        window = men;
    }
    clock = clockOf(window, "Timer1");
    TickLog log(wanted);
    QObject::connect(clock, &PeriodicTimer::timeout, [&] {
        if (log.tick()) {
            log.print(1000);
            QCoreApplication::quit();
        }
    });
    const int status = QApplication::exec();
    // Not from inside the tick: the clock that ticked belongs to the window.
    discardAllForms();
    return status;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    installFontSubstitutions();
    installDesignedLook();
    if (argc >= 2 && std::strcmp(argv[1], "simulate") == 0)
        return simulate();
    if (argc >= 4 && std::strcmp(argv[1], "ticks") == 0)
        return ticks(argv[2], std::atoi(argv[3]));
    std::fprintf(stderr, "usage: %s simulate | ticks <tak|ron|men> <n>\n", argv[0]);
    return 2;
}
