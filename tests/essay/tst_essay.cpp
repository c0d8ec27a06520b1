// The essay window shows what the run's model says: its countdown by its
// own clock, then the bars, texts and cues of the schedule. The schedule
// itself is tested on the model (tst_essayrun).

#include "common/periodictimer.h"
#include "essay/frmron.h"
#include "support/testsupport.h"
#include "widgets/controls.h"
#include "widgets/formref.h"

#include <QLineEdit>
#include <QScreen>
#include <QTest>

using namespace orv;
using test::texts;

namespace {
const char *const kBars = "LabelA(0) LabelB(0) LabelC(0) LabelA(1) LabelB(1) LabelC(1)";
const char *const kPhaseTexts = "LabelAS(0) LabelBS(0) LabelCS(0) LabelAS(1) LabelBS(1) LabelCS(1)";

int barTwips(const QWidget *ron, const char *name)
{
    return twipsOf(ron->findChild<QWidget *>(QLatin1String(name))).width();
}
} // namespace

class TestEssay : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { discardAllForms(); }

    // Opened, the window is centred with its cover in front; its clocks are
    // wired (the countdown's shared with the multiple-choice timer).
    void theCountdown()
    {
        test::FakeDesktop desktop;
        FrmRon *ron = formRef<FrmRon>().renew();
        ron->show();
        const auto *cover = ron->findChild<QWidget *>(QStringLiteral("Picture1"));
        const QWidget *front = ron->childAt(cover->mapTo(ron, cover->rect().center()));
        QVERIFY(front == cover || cover->isAncestorOf(front));
        QVERIFY((ron->frameGeometry().center() - ron->screen()->geometry().center()).manhattanLength() <= 2);
        test::fire(ron, "Timer2", 3);
        QCOMPARE(test::shown(ron, "Picture1 Picture2"), QStringLiteral("01"));
        test::fire(ron, "Timer1");
        QCOMPARE(ron->property("ElapsedSec").toInt(), 1);
    }

    // A phase's bar shrinks and its text counts down; at the next phase the
    // last one's bar and text go with a cue; question 2 shows its number.
    void theRunShown()
    {
        test::FakeDesktop desktop;
        FrmRon *ron = startedRun();
        desktop.played.clear();
        test::call(ron, "Timer1_Timer");
        QCOMPARE(barTwips(ron, "LabelA(0)"), 599);
        QCOMPARE(texts(ron, "LabelAS(0) LabelEachTime LabelTotalTime"), QStringLiteral("9:59|59:59|1:59:59"));
        test::call(ron, "Timer1_Timer", 599);
        QCOMPARE(test::shown(ron, kBars), QStringLiteral("011111"));
        QCOMPARE(test::shown(ron, kPhaseTexts), QStringLiteral("011111"));
        QCOMPARE(barTwips(ron, "LabelB(0)"), 1200);
        QCOMPARE(desktop.played, QStringList({"s02.wav"}));
        test::call(ron, "Timer1_Timer", 3000);
        QCOMPARE(texts(ron, "LabelQNo LabelAS(1)"), QStringLiteral("2|10:00"));
    }

    // Tick 7200: every bar gone, the dashes, the end's cue and a request for
    // attention (shared with the multiple-choice timer). A new interval
    // after it changes nothing.
    void theEnd()
    {
        test::FakeDesktop desktop;
        FrmRon *ron = startedRun();
        test::call(ron, "Timer1_Timer", 7200);
        QCOMPARE(test::shown(ron, kBars), QStringLiteral("000000"));
        QCOMPARE(test::shown(ron, kPhaseTexts), QStringLiteral("000000"));
        QCOMPARE(texts(ron, "LabelQNo LabelTotalTime"), QStringLiteral("--|-:--:--"));
        QCOMPARE(desktop.attention, QStringList({"FrmRon"}));
        ron->findChild<QLineEdit *>(QStringLiteral("Text1"))->setText(QStringLiteral("10"));
        QVERIFY(!test::timer(ron, "Timer1")->isTicking());
    }

private:
    static FrmRon *startedRun()
    {
        FrmRon *ron = formRef<FrmRon>().renew();
        ron->show();
        test::call(ron, "Timer2_Timer", 3);
        return ron;
    }
};

QTEST_MAIN(TestEssay)
#include "tst_essay.moc"
