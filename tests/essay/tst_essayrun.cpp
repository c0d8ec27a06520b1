// The essay run's rules, on its model alone: every row of the schedule, the
// time texts and the end.

#include "essay/essayrun.h"

#include <QTest>

using namespace orv;
using essay::Phase;

Q_DECLARE_METATYPE(essay::Phase)

class TestEssayRun : public QObject
{
    Q_OBJECT

private slots:
    // After tick t: the current phase, its bar's width (twips) and text,
    // the phase that goes, the question number when it changes, the times
    // left in the question and the run, and the cue.
    void theSchedule_data()
    {
        QTest::addColumn<int>("t");
        QTest::addColumn<Phase>("phase");
        QTest::addColumn<int>("bar");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("hidden"); // a phase, or -1
        QTest::addColumn<QString>("questionNo");
        QTest::addColumn<QString>("questionLeft");
        QTest::addColumn<QString>("runLeft");
        QTest::addColumn<QString>("cue");
        QTest::newRow("1") << 1 << Phase::Issues1 << 599 << "9:59" << -1 << "" << "59:59" << "1:59:59" << "";
        QTest::newRow("540") << 540 << Phase::Issues1 << 60 << "1:00" << -1 << "" << "51:00" << "1:51:00" << "";
        QTest::newRow("541") << 541 << Phase::Issues1 << 59 << "59" << -1 << "" << "50:59" << "1:50:59" << "";
        QTest::newRow("599") << 599 << Phase::Issues1 << 1 << "1" << -1 << "" << "50:01" << "1:50:01" << "";
        QTest::newRow("600") << 600 << Phase::Outline1 << 1200 << "20:00" << 0 << "" << "50:00" << "1:50:00"
                             << "s02.wav";
        QTest::newRow("601") << 601 << Phase::Outline1 << 1199 << "19:59" << 0 << "" << "49:59" << "1:49:59" << "";
        QTest::newRow("1800") << 1800 << Phase::Writing1 << 1800 << "30:00" << 1 << "" << "30:00" << "1:30:00"
                              << "s02.wav";
        QTest::newRow("3599") << 3599 << Phase::Writing1 << 1 << "1" << 1 << "" << "1" << "1:00:01" << "";
        QTest::newRow("3600") << 3600 << Phase::Issues2 << 600 << "10:00" << 2 << "2" << "0" << "1:00:00"
                              << "s02.wav";
        QTest::newRow("3601") << 3601 << Phase::Issues2 << 599 << "9:59" << 2 << "2" << "59:59" << "59:59" << "";
        QTest::newRow("4200") << 4200 << Phase::Outline2 << 1200 << "20:00" << 3 << "" << "50:00" << "50:00"
                              << "s02.wav";
        QTest::newRow("5400") << 5400 << Phase::Writing2 << 1800 << "30:00" << 4 << "" << "30:00" << "30:00"
                              << "s02.wav";
        QTest::newRow("7140") << 7140 << Phase::Writing2 << 60 << "1:00" << 4 << "" << "1:00" << "1:00" << "";
        QTest::newRow("7199") << 7199 << Phase::Writing2 << 1 << "1" << 4 << "" << "1" << "1" << "";
    }
    void theSchedule()
    {
        QFETCH(int, t);
        QFETCH(Phase, phase);
        QFETCH(int, bar);
        QFETCH(QString, text);
        QFETCH(int, hidden);
        QFETCH(QString, questionNo);
        QFETCH(QString, questionLeft);
        QFETCH(QString, runLeft);
        QFETCH(QString, cue);
        EssayRun run;
        EssayRun::Tick tick;
        for (int i = 0; i < t; ++i)
            tick = run.tick();
        QVERIFY(tick.counted);
        QVERIFY(!tick.ended);
        QCOMPARE(run.elapsedSec(), t);
        QCOMPARE(tick.phase, phase);
        QCOMPARE(tick.barTwips, bar);
        QCOMPARE(tick.phaseText, text);
        QCOMPARE(tick.hidden ? int(*tick.hidden) : -1, hidden);
        QCOMPARE(tick.questionNo, questionNo);
        QCOMPARE(tick.questionLeft, questionLeft);
        QCOMPARE(tick.runLeft, runLeft);
        QCOMPARE(tick.cue, cue);
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

    void thePhases_data()
    {
        QTest::addColumn<Phase>("phase");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::newRow("issues 1") << Phase::Issues1 << 0 << 600;
        QTest::newRow("outline 1") << Phase::Outline1 << 600 << 1800;
        QTest::newRow("writing 1") << Phase::Writing1 << 1800 << 3600;
        QTest::newRow("issues 2") << Phase::Issues2 << 3600 << 4200;
        QTest::newRow("outline 2") << Phase::Outline2 << 4200 << 5400;
        QTest::newRow("writing 2") << Phase::Writing2 << 5400 << 7200;
    }
    void thePhases()
    {
        QFETCH(Phase, phase);
        QFETCH(int, from);
        QFETCH(int, to);
        QCOMPARE(essay::phaseFrom(phase), from);
        QCOMPARE(essay::phaseTo(phase), to);
    }
};

QTEST_GUILESS_MAIN(TestEssayRun)
#include "tst_essayrun.moc"
