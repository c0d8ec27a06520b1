// Takes the README's pictures of each window in a telling state. Run it under
// an X server with a window manager (scripts/screenshots.sh does that).
// Usage: orvalen_screenshots <output folder>

#include "common/fonts.h"
#include "essay/frmron.h"
#include "shell/formref.h"
#include "shell/frmmain.h"

#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QTest>

#include <cstdio>

using namespace orv;

namespace {

bool shoot(QWidget *window, const QString &path)
{
    window->raise();
    window->activateWindow();
    QTest::qWait(600); // let the window manager frame and paint it
    const QRect frame = window->frameGeometry();
    const QPixmap shot = window->screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
    const bool ok = shot.save(path);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
    return ok;
}

FrmRon *essayAt(int ticks)
{
    formRef<FrmMain>()->CmdRon_Click();
    FrmRon *ron = formRef<FrmRon>().peek();
    for (int i = 0; i < 3; ++i)
        ron->Timer2_Timer();
    for (QObject *t : ron->findChildren<QObject *>(QStringLiteral("Timer1")))
        t->setProperty("enabled", false); // hold the picture still
    for (int i = 0; i < ticks; ++i)
        ron->Timer1_Timer();
    return ron;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvalen"));
    installFontSubstitutions();
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
    formRef<FrmRon>()->close();
    ok &= shoot(essayAt(6000), out.filePath(QStringLiteral("essay-q2-writing.png")));
    formRef<FrmRon>()->close();

    discardAllForms();
    return ok ? 0 : 1;
}
