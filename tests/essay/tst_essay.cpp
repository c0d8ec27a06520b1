// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

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
} // namespace

using essay::Phase;

Q_DECLARE_METATYPE(essay::Phase)

namespace {
// After tick t: the current phase, its bar's width (twips) and text, the
// phase that goes as the next begins, the question number where it changes,
// the times left in the question and the run, and the cue; what does not
// change is not there.
struct Row
{
    int t;
    Phase phase;
    int bar;
    const char *text;
    std::optional<Phase> hidden = {};
    std::optional<QString> questionNo = {};
    const char *questionLeft, *runLeft;
    std::optional<Cue> cue = {};
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
            {.t = 1, .phase = Phase::Issues1, .bar = 599, .text = "9:59", .questionLeft = "59:59", .runLeft = "1:59:59"},
            {.t = 541, .phase = Phase::Issues1, .bar = 59, .text = "59", .questionLeft = "50:59", .runLeft = "1:50:59"},
            {.t = 599, .phase = Phase::Issues1, .bar = 1, .text = "1", .questionLeft = "50:01", .runLeft = "1:50:01"},
            {.t = 600, .phase = Phase::Outline1, .bar = 1200, .text = "20:00", .hidden = Phase::Issues1, .questionLeft = "50:00", .runLeft = "1:50:00", .cue = Cue::Milestone},
            {.t = 1800, .phase = Phase::Writing1, .bar = 1800, .text = "30:00", .hidden = Phase::Outline1, .questionLeft = "30:00", .runLeft = "1:30:00", .cue = Cue::Milestone},
            {.t = 3599, .phase = Phase::Writing1, .bar = 1, .text = "1", .questionLeft = "1", .runLeft = "1:00:01"},
            {.t = 3600, .phase = Phase::Issues2, .bar = 600, .text = "10:00", .hidden = Phase::Writing1, .questionNo = "2", .questionLeft = "0", .runLeft = "1:00:00", .cue = Cue::Milestone},
            {.t = 3601, .phase = Phase::Issues2, .bar = 599, .text = "9:59", .questionLeft = "59:59", .runLeft = "59:59"},
            {.t = 4199, .phase = Phase::Issues2, .bar = 1, .text = "1", .questionLeft = "50:01", .runLeft = "50:01"},
            {.t = 4200, .phase = Phase::Outline2, .bar = 1200, .text = "20:00", .hidden = Phase::Issues2, .questionLeft = "50:00", .runLeft = "50:00", .cue = Cue::Milestone},
            {.t = 5400, .phase = Phase::Writing2, .bar = 1800, .text = "30:00", .hidden = Phase::Outline2, .questionLeft = "30:00", .runLeft = "30:00", .cue = Cue::Milestone},
            {.t = 7199, .phase = Phase::Writing2, .bar = 1, .text = "1", .questionLeft = "1", .runLeft = "1"}};
        for (const Row &row : rows)
            QTest::addRow("%d", row.t) << row;
    }
    void theSchedule()
    {
        QFETCH(Row, row);
        EssayRun run;
        std::optional<EssayRun::Tick> tick;
        for (int i = 0; i < row.t; ++i)
            tick = run.tick();
        QVERIFY(tick);
        QVERIFY(!tick->ended);
        QCOMPARE(run.elapsedSec(), row.t);
        QCOMPARE(tick->current->phase, row.phase);
        QCOMPARE(tick->current->left.barTwips, row.bar);
        QCOMPARE(tick->current->left.text, QString(row.text));
        QCOMPARE(tick->hidden, row.hidden);
        QCOMPARE(tick->figures.questionNo, row.questionNo);
        QCOMPARE(tick->figures.questionLeft, QString(row.questionLeft));
        QCOMPARE(tick->figures.runLeft, QString(row.runLeft));
        QCOMPARE(tick->cue, row.cue);
    }

    // A whole run through the model: every phase begins once with its cue,
    // whole, and its bar shrinks a twip a tick. Tick 7200 ends it: the
    // last phase goes, with the dashes and the end's cue; later ticks change
    // nothing.
    void aWholeRun()
    {
        EssayRun run;
        QStringList cues, begun;
        int shrinking = 0;
        int bar = 0;
        std::optional<EssayRun::Tick> tick;
        for (int t = 1; t <= essay::kRunTicks; ++t) {
            tick = run.tick();
            if (tick->cue == Cue::Milestone)
                cues << QString::number(t);
            if (!tick->current)
                continue;
            if (tick->hidden)
                begun << QString::number(tick->current->left.barTwips);
            else
                shrinking += tick->current->left.barTwips == bar - 1;
            bar = tick->current->left.barTwips;
        }
        QCOMPARE(cues, QStringList({"600", "1800", "3600", "4200", "5400"}));
        QCOMPARE(begun, QStringList({"1200", "1800", "600", "1200", "1800"}));
        QCOMPARE(shrinking, essay::kRunTicks - 1 - 5 - 1); // all but the first tick and the phases' first
        QVERIFY(tick->ended);
        QVERIFY(!tick->current);
        QCOMPARE(tick->hidden, std::optional<Phase>(Phase::Writing2));
        QCOMPARE(tick->figures.questionLeft, QStringLiteral("--:--"));
        QCOMPARE(tick->cue, Cue::End);
        QVERIFY(!run.tick());
        QCOMPARE(run.elapsedSec(), essay::kRunTicks);
    }

    void cleanup() { discardAllForms(); }

    // Opened, the window is centred, and its clocks are wired (the
    // countdown's shared with the multiple-choice timer). A phase's bar
    // shrinks and its text counts down; at the next phase the last one's bar
    // and text go with a cue; question 2 shows its number.
    void theRunShown()
    {
        test::FakeDesktop desktop;
        FrmRon *ron = test::opened<FrmRon>();
        QVERIFY((ron->frameGeometry().center() - ron->screen()->geometry().center()).manhattanLength() <= 2);
        QVERIFY(test::fire(ron, "Timer2", 3));
        QCOMPARE(test::shown(ron, "Picture1 Picture2"), QStringLiteral("01"));
        desktop.played.clear();
        QVERIFY(test::fire(ron, "Timer1"));
        QCOMPARE(ron->property("ElapsedSec").toInt(), 1);
        QCOMPARE(twipsOf(ron->findChild<QWidget *>(QStringLiteral("LabelA(0)"))).width(), 599);
        QCOMPARE(texts(ron, "LabelAS(0) LabelEachTime LabelTotalTime"), QStringLiteral("9:59|59:59|1:59:59"));
        QVERIFY(test::call(ron, "Timer1_Timer", 599));
        QCOMPARE(test::shown(ron, kBars), QStringLiteral("011111"));
        QCOMPARE(test::shown(ron, kPhaseTexts), QStringLiteral("011111"));
        QCOMPARE(twipsOf(ron->findChild<QWidget *>(QStringLiteral("LabelB(0)"))).width(), 1200);
        QCOMPARE(desktop.played, QStringList({"s02.wav"}));
        QVERIFY(test::call(ron, "Timer1_Timer", 3000));
        QCOMPARE(texts(ron, "LabelQNo LabelAS(1)"), QStringLiteral("2|10:00"));
    }

    // Tick 7200: every bar gone, the dashes, the end's cue and a request for
    // attention (shared with the multiple-choice timer). A new interval
    // after it changes nothing.
    void theEndShown()
    {
        test::FakeDesktop desktop;
        FrmRon *ron = test::opened<FrmRon>();
        QVERIFY(test::call(ron, "Timer2_Timer", 3));
        QVERIFY(test::call(ron, "Timer1_Timer", 7200));
        QCOMPARE(test::shown(ron, kBars), QStringLiteral("000000"));
        QCOMPARE(test::shown(ron, kPhaseTexts), QStringLiteral("000000"));
        QCOMPARE(texts(ron, "LabelQNo LabelTotalTime"), QStringLiteral("--|-:--:--"));
        QCOMPARE(desktop.attention, QStringList({"FrmRon"}));
        ron->findChild<QLineEdit *>(QStringLiteral("Text1"))->setText(QStringLiteral("10"));
        QCOMPARE(test::clocks(ron), QStringLiteral("Timer1 10 off|Timer2 1000 off"));
    }

};

QTEST_MAIN(TestEssay)
#include "tst_essay.moc"
