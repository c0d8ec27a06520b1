// Plays cues through the real cue service on command, for the real-sound
// check (tests/sound/sound_check.py): one command a line on standard input,
// and for each a line "at <monotonic time of the request>" on standard
// output, with the latency for "latency".
//   cue <file>   a cue request
//   alarm        one tick of the countdown timer's alarm
//   latency      the latency the server reports for the cue sounding now

#include "app/frmmain.h"
#include "common/fonts.h"
#include "countdown/frmmen.h"
#include "cues/cue.h"
#include "widgets/formref.h"
#include "widgets/platform.h"

#include <QApplication>
#include <QSocketNotifier>

#include <cstdio>
#include <iostream>
#include <string>
#include <time.h>

using namespace orv;

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    installFontSubstitutions();
    prepareCues(); // as the program does once its menu is up
    setInputBoxSource([](QWidget *, const QString &, const QString &) { return QStringLiteral("0"); });
    formRef<FrmMain>()->show();
    formRef<FrmMain>()->CmdMen_Click();
    FrmMen *men = formRef<FrmMen>().peek();
    men->CmdTime_Click(5); // a countdown of nothing: every tick is an alarm
    men->findChild<QObject *>(QStringLiteral("Timer1"))->setProperty("enabled", false);

    QSocketNotifier input(0, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [men] {
        std::string line;
        if (!std::getline(std::cin, line)) {
            QCoreApplication::quit();
            return;
        }
        timespec now;
        clock_gettime(CLOCK_MONOTONIC, &now);
        if (line.rfind("cue ", 0) == 0)
            PlayCue(QString::fromStdString(line.substr(4)));
        else if (line == "alarm")
            men->Timer1_Timer();
        std::printf("at %.6f", double(now.tv_sec) + double(now.tv_nsec) / 1e9);
        if (line == "latency")
            std::printf(" latency %lld", static_cast<long long>(cueLatencyMicroseconds()));
        std::printf("\n");
        std::fflush(stdout);
    });
    const int status = QApplication::exec();
    discardAllForms();
    stopCues();
    return status;
}
