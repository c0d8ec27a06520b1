// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Takes the README's pictures of each window in a telling state. Run it under
// an X server with a window manager (scripts/screenshots.sh does that).
// Usage: orvalen_screenshots <output folder>

#include "common/fonts.h"
#include "common/clock.h"
#include "countdown/frmmen.h"
#include "essay/frmron.h"
#include "multiple_choice/frmbtn.h"
#include "multiple_choice/frmdur.h"
#include "multiple_choice/frmtak.h"
#include "widgets/formref.h"
#include "app/frmmain.h"
#include "app/startup.h"
#include "widgets/platform.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QInputDialog>
#include <QScreen>
#include <QTest>

#include <cstdio>
#include <memory>

using namespace orv;

namespace {

// The window manager frames a shown window when it gets to it, later on a
// busy machine: a picture taken before has no title bar. So the wait is for
// the window to be exposed and for its frame (Qt learns its extents from the
// window manager); waitDrawn() then waits for both to be drawn.
void waitFramed(QWidget *window)
{
    if (!QTest::qWaitForWindowExposed(window, 10000))
        std::fprintf(stderr, "%s was not exposed within 10 s\n", qPrintable(window->objectName()));
    const QDeadlineTimer deadline(10000);
    while (window->frameGeometry() == window->geometry() && !deadline.hasExpired())
        QTest::qWait(20);
    if (window->frameGeometry() == window->geometry())
        std::fprintf(stderr, "%s was not framed within 10 s\n", qPrintable(window->objectName()));
}

// A text box's caret shows for half a second from when the box takes focus,
// then hides for half a second: focused again here, the picture is taken in
// the middle of the half asked for, whatever the load.
void waitCaret(bool shown)
{
    if (QWidget *focused = QApplication::focusWidget()) {
        focused->clearFocus();
        focused->setFocus();
    }
    QTest::qWait(shown ? 250 : 750);
}

// Then the window manager and the program draw: the picture of the area is
// taken once three looks 50 ms apart see the same, everything drawn.
void waitDrawn(const QRect &area)
{
    const QDeadlineTimer deadline(10000);
    QImage last;
    for (int same = 0; same < 3 && !deadline.hasExpired();) {
        QTest::qWait(50);
        const QImage now = QGuiApplication::primaryScreen()->grabWindow(0, area.x(), area.y(), area.width(), area.height()).toImage();
        same = now == last ? same + 1 : 0;
        last = now;
    }
}

bool shoot(QWidget *window, const QString &path)
{
    window->raise();
    window->activateWindow();
    waitFramed(window);
    waitDrawn(window->frameGeometry());
    waitCaret(false);
    const QRect frame = window->frameGeometry();
    const QPixmap shot = window->screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
    const bool ok = shot.save(path);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
    return ok;
}

FrmRon *essayAt(int ticks)
{
    formRef<FrmMain>().get()->CmdRon_Click();
    FrmRon *ron = formRef<FrmRon>().get();
    for (int i = 0; i < 3; ++i)
        ron->Timer2_Timer();
    for (QObject *t : ron->findChildren<QObject *>(QStringLiteral("Timer1")))
        t->setProperty("enabled", false); // hold the picture still
    for (int i = 0; i < ticks; ++i)
        ron->Timer1_Timer();
    return ron;
}

// The multiple-choice family after `ticks` pacing ticks, with a finished
// question at each of `presses` (ticks); ticks < 0 leaves it in its countdown.
FrmTak *paperAt(int ticks, std::initializer_list<int> presses)
{
    formRef<FrmMain>().get()->CmdTak_Click();
    FrmTak *tak = formRef<FrmTak>().get();
    waitFramed(tak); // as during the countdown, the companions go beside its frame
    // The countdown held at its second step, however long the picture takes.
    tak->findChild<QObject *>(QStringLiteral("Timer2"))->setProperty("enabled", false);
    tak->Timer2_Timer();
    if (ticks < 0)
        return tak;
    for (int i = 0; i < 2; ++i)
        tak->Timer2_Timer();
    tak->findChild<QObject *>(QStringLiteral("Timer1"))->setProperty("enabled", false);
    for (int t = 1; t <= ticks; ++t) {
        tak->Timer1_Timer();
        for (int p : presses)
            if (p == t)
                tak->CmdNext_Click();
    }
    return tak;
}

// All three windows of the family in one picture.
bool shootFamily(FrmTak *tak, const QString &path, bool caretShown = false)
{
    tak->raise();
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->isVisible())
            waitFramed(w);
    QRect area = tak->frameGeometry();
    if (qEnvironmentVariableIsSet("ORVALEN_SHOT_DEBUG"))
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->isVisible())
                qDebug() << w->objectName() << w->frameGeometry() << w->geometry();
    for (QWidget *w : {static_cast<QWidget *>(formRef<FrmBtn>().get()), static_cast<QWidget *>(formRef<FrmDur>().get())})
        if (w && w->isVisible())
            area = area.united(w->frameGeometry());
    waitDrawn(area); // the companions placed beside the framed window, all drawn
    waitCaret(caretShown);
    const QPixmap shot = tak->screen()->grabWindow(0, area.x() - 4, area.y() - 4, area.width() + 8, area.height() + 8);
    const bool ok = shot.save(path);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
    return ok;
}

// The countdown timer after `entry` was typed (or a preset pressed, for a
// single digit 0-4) and `ticks` ticks.
FrmMen *countdownAt(const QString &entry, int ticks)
{
    formRef<FrmMain>().get()->CmdMen_Click();
    FrmMen *men = formRef<FrmMen>().get();
    if (entry.isEmpty())
        return men;
    setInputBoxSource([entry](QWidget *, const QString &, const QString &) { return entry; });
    men->CmdTime_Click(5);
    for (const char *name : {"Timer1", "Timer3"})
        men->findChild<QObject *>(QLatin1String(name))->setProperty("enabled", false);
    for (int i = 0; i < ticks; ++i)
        entry.contains(u':') ? men->Timer3_Timer() : men->Timer1_Timer();
    return men;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // The desktop's own colours, before the program puts its own in their
    // place: a dark desktop shows here that it was applied.
    std::printf("desktop window colour %s\n", qPrintable(QGuiApplication::palette().color(QPalette::Window).name()));
    prepareApplication();
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    bool ok = true;

    FrmMain *menu = formRef<FrmMain>().get();
    menu->show();
    ok &= shoot(menu, out.filePath(QStringLiteral("menu.png")));

    ok &= shoot(essayAt(900), out.filePath(QStringLiteral("essay-q1-outline.png")));
    formRef<FrmRon>().get()->close();
    ok &= shoot(essayAt(6000), out.filePath(QStringLiteral("essay-q2-writing.png")));
    formRef<FrmRon>().get()->close();

    ok &= shootFamily(paperAt(-1, {}), out.filePath(QStringLiteral("multiple-choice-countdown.png")));
    formRef<FrmTak>().get()->close();
    ok &= shootFamily(paperAt(1290, {150, 400, 700, 760, 1000}), out.filePath(QStringLiteral("multiple-choice.png")));
    formRef<FrmTak>().get()->close();
    ok &= shootFamily(paperAt(12600, {150, 400}), out.filePath(QStringLiteral("multiple-choice-end.png")),
                      true);
    formRef<FrmTak>().get()->close();

    setTimeOfDaySource([] { return QTime(9, 5, 7); });
    ok &= shoot(countdownAt(QString(), 0), out.filePath(QStringLiteral("countdown-keypad.png")));
    formRef<FrmMen>().get()->close();
    ok &= shoot(countdownAt(QStringLiteral("3"), 15), out.filePath(QStringLiteral("countdown-running.png")));
    formRef<FrmMen>().get()->close();
    ok &= shoot(countdownAt(QStringLiteral("7:30"), 1), out.filePath(QStringLiteral("countdown-clock.png")));
    formRef<FrmMen>().get()->close();
    ok &= shoot(countdownAt(QStringLiteral("1"), 125), out.filePath(QStringLiteral("countdown-alarm.png")));
    formRef<FrmMen>().get()->close();

    const std::unique_ptr<QInputDialog> dialog(makeInputDialog(nullptr, FrmMen::inputPrompt()));
    dialog->show();
    ok &= shoot(dialog.get(), out.filePath(QStringLiteral("countdown-input.png")));
    dialog->hide();

    discardAllForms();
    return ok ? 0 : 1;
}
