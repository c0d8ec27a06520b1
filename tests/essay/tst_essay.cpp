// The essay timer: every row of its schedule, its end and a whole run as
// tables on its model, then the window showing what the model says, its
// countdown and run on their own clocks.

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

using essay::Phase;

Q_DECLARE_METATYPE(essay::Phase)

namespace {
// After tick t: the current phase, its bar's width (twips) and text, the
// phase that goes (-1 for none), the question number when it changes, the
// times left in the question and the run, and the cue.
struct Row
{
    int t;
    Phase phase;
    int bar;
    const char *text;
    int hidden;
    const char *questionNo, *questionLeft, *runLeft, *cue;
};
} // namespace

Q_DECLARE_METATYPE(Row)

class TestEssay : public QObject
{
    Q_OBJECT

private slots:
    void theSchedule_data()
    {
        QTest::addColumn<Row>("row");
        const QList<Row> rows{
            {1, Phase::Issues1, 599, "9:59", -1, "", "59:59", "1:59:59", ""},
            {541, Phase::Issues1, 59, "59", -1, "", "50:59", "1:50:59", ""},
            {599, Phase::Issues1, 1, "1", -1, "", "50:01", "1:50:01", ""},
            {600, Phase::Outline1, 1200, "20:00", 0, "", "50:00", "1:50:00", "s02.wav"},
            {1800, Phase::Writing1, 1800, "30:00", 1, "", "30:00", "1:30:00", "s02.wav"},
            {3599, Phase::Writing1, 1, "1", 1, "", "1", "1:00:01", ""},
            {3600, Phase::Issues2, 600, "10:00", 2, "2", "0", "1:00:00", "s02.wav"},
            {3601, Phase::Issues2, 599, "9:59", 2, "2", "59:59", "59:59", ""},
            {4200, Phase::Outline2, 1200, "20:00", 3, "", "50:00", "50:00", "s02.wav"},
            {5400, Phase::Writing2, 1800, "30:00", 4, "", "30:00", "30:00", "s02.wav"},
            {7199, Phase::Writing2, 1, "1", 4, "", "1", "1", ""}};
        for (const Row &row : rows)
            QTest::addRow("%d", row.t) << row;
    }
    void theSchedule()
    {
        QFETCH(Row, row);
        EssayRun run;
        EssayRun::Tick tick;
        for (int i = 0; i < row.t; ++i)
            tick = run.tick();
        QVERIFY(tick.counted);
        QVERIFY(!tick.ended);
        QCOMPARE(run.elapsedSec(), row.t);
        QCOMPARE(tick.phase, row.phase);
        QCOMPARE(tick.barTwips, row.bar);
        QCOMPARE(tick.phaseText, QString(row.text));
        QCOMPARE(tick.hidden ? int(*tick.hidden) : -1, row.hidden);
        QCOMPARE(tick.questionNo, QString(row.questionNo));
        QCOMPARE(tick.questionLeft, QString(row.questionLeft));
        QCOMPARE(tick.runLeft, QString(row.runLeft));
        QCOMPARE(tick.cue, QString(row.cue));
    }

    // Tick 7200 ends the run: the last phase goes and nothing else is
    // shown; later ticks change nothing.
    void theEnd()
    {
        EssayRun run;
        for (int i = 1; i < essay::kRunTicks; ++i)
            run.tick();
        const EssayRun::Tick end = run.tick();
        QVERIFY(end.counted);
        QVERIFY(end.ended);
        QCOMPARE(end.hidden, std::optional<Phase>(Phase::Writing2));
        QVERIFY(!run.tick().counted);
        QCOMPARE(run.elapsedSec(), essay::kRunTicks);
    }

    // A whole run through the model: every phase begins once with its cue,
    // and every bar shrinks a twip a tick to nothing.
    void aWholeRun()
    {
        EssayRun run;
        QStringList cues;
        int shrinking = 0, ends = 0;
        for (int t = 1; t <= essay::kRunTicks + 1; ++t) {
            const EssayRun::Tick tick = run.tick();
            ends += tick.ended;
            if (!tick.cue.isEmpty())
                cues << QString::number(t);
            shrinking += !tick.ended && tick.counted && tick.barTwips == essay::phaseTo(tick.phase) - t;
        }
        QCOMPARE(cues, QStringList({"600", "1800", "3600", "4200", "5400"}));
        QCOMPARE(shrinking, essay::kRunTicks - 1);
        QCOMPARE(ends, 1);
    }

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
    void theEndShown()
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
