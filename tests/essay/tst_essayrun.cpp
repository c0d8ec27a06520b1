// The essay run's rules, on its model alone: every row of the schedule, the
// time texts and the end.

#include "essay/essayrun.h"

#include <QTest>

using namespace orv;
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

class TestEssayRun : public QObject
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
        QVERIFY(end.cue.isEmpty());
        QVERIFY(end.runLeft.isEmpty());
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
};

QTEST_GUILESS_MAIN(TestEssayRun)
#include "tst_essayrun.moc"
