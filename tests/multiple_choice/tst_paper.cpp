// The multiple-choice paper's rules, on its models alone: the pace
// arithmetic, the pacing ticks and finished questions, the per-question
// clock and the Done button's two-second rule.

#include "multiple_choice/debounce.h"
#include "multiple_choice/paper.h"
#include "multiple_choice/question.h"

#include <QTest>

#include <climits>

using namespace orv;

namespace {
// A paper after `ticks` pacing ticks with a question finished after each
// tick listed in `presses`; the last tick's result.
Paper::Tick ticked(Paper &paper, int ticks, const QList<int> &presses = {})
{
    Paper::Tick last;
    for (int t = 1; t <= ticks; ++t) {
        last = paper.tick();
        if (presses.contains(t))
            paper.next();
    }
    return last;
}
} // namespace

class TestPaper : public QObject
{
    Q_OBJECT

private slots:
    // The seconds for each question left, rounded half to even, and the
    // advantage over the standard pace.
    void savedTime_data()
    {
        QTest::addColumn<int>("totalCnt");
        QTest::addColumn<int>("doneCnt");
        QTest::addColumn<int>("lpDivTime");
        QTest::addColumn<QString>("divTimeText");
        QTest::addColumn<QString>("savedText");
        QTest::newRow("the start") << 0 << 0 << 210 << "3:30" << "-";
        QTest::newRow("209.98") << 1 << 0 << 210 << "3:30" << "-";
        QTest::newRow("one done at 100") << 100 << 1 << 212 << "3:32" << "1:50";
        QTest::newRow("6299.5 to even") << 1 << 58 << 6300 << "1:45:00" << "3:22:59";
        QTest::newRow("6298.5 to even") << 3 << 58 << 6298 << "1:44:58" << "3:22:57";
        QTest::newRow("all done at once") << 0 << 59 << 12600 << "3:30:00" << "3:26:30";
        QTest::newRow("an advantage of 0") << 210 << 1 << 210 << "3:30" << "-";
        QTest::newRow("under a second each") << 12599 << 0 << 0 << "0" << "-";
        QTest::newRow("0.5 to even") << 12570 << 0 << 0 << "0" << "-";
        QTest::newRow("1.5 to even") << 12510 << 0 << 2 << "2" << "-";
        QTest::newRow("no question left") << 0 << 60 << 0 << "0" << "3:30:00";
        QTest::newRow("saturated") << INT_MIN << 59 << INT_MAX << "596523:14:07" << "596526:40:38";
    }
    void savedTime()
    {
        QFETCH(int, totalCnt);
        QFETCH(int, doneCnt);
        QFETCH(int, lpDivTime);
        QFETCH(QString, divTimeText);
        QFETCH(QString, savedText);
        const pace::SavedTime saved = pace::savedTime(totalCnt, doneCnt);
        QCOMPARE(saved.lpDivTime, lpDivTime);
        QCOMPARE(saved.divTimeText, divTimeText);
        QCOMPARE(saved.savedText, savedText);
    }

    void restTimes_data()
    {
        QTest::addColumn<int>("slotCnt");
        QTest::addColumn<int>("totalCnt");
        QTest::addColumn<QString>("slotLeft");
        QTest::addColumn<QString>("paperLeft");
        QTest::newRow("the start") << 0 << 0 << "3:30" << "3:30:00";
        QTest::newRow("a minute left") << 150 << 9000 << "1:00" << "1:00:00";
        QTest::newRow("under a minute") << 151 << 9001 << "59" << "59:59";
        QTest::newRow("the last second") << 209 << 12599 << "1" << "1";
    }
    void restTimes()
    {
        QFETCH(int, slotCnt);
        QFETCH(int, totalCnt);
        QFETCH(QString, slotLeft);
        QFETCH(QString, paperLeft);
        QString slot, paper;
        pace::restTimes(slotCnt, totalCnt, slot, paper);
        QCOMPARE(slot, slotLeft);
        QCOMPARE(paper, paperLeft);
    }

    // The paper after a number of ticks with no question finished: what the
    // last tick shows, and where the standard pace stands.
    void ticks_data()
    {
        QTest::addColumn<int>("ticks");
        QTest::addColumn<int>("blacken");
        QTest::addColumn<int>("marker");
        QTest::addColumn<QString>("standardQuestion");
        QTest::addColumn<QString>("slotLeft");
        QTest::addColumn<QString>("paperLeft");
        QTest::addColumn<QString>("divTimeText");
        QTest::addColumn<int>("stdQNo");
        QTest::addColumn<int>("slotCnt");
        QTest::newRow("1: the first cell and marker") << 1 << 0 << 0 << "" << "3:29" << "3:29:59" << "3:30" << 0 << 1;
        QTest::newRow("2") << 2 << -1 << -1 << "" << "3:28" << "3:29:58" << "3:30" << 0 << 2;
        QTest::newRow("209") << 209 << -1 << -1 << "" << "1" << "3:26:31" << "3:27" << 0 << 209;
        QTest::newRow("210: question 2") << 210 << 1 << -1 << "2" << "3:30" << "3:26:30" << "3:26" << 2 << 0;
        QTest::newRow("211") << 211 << -1 << -1 << "" << "3:29" << "3:26:29" << "3:26" << 2 << 1;
        QTest::newRow("420: question 3") << 420 << 2 << -1 << "3" << "3:30" << "3:23:00" << "3:23" << 3 << 0;
        QTest::newRow("12390: question 60") << 12390 << 59 << -1 << "60" << "3:30" << "3:30" << "4" << 60 << 0;
        QTest::newRow("12599") << 12599 << -1 << -1 << "" << "1" << "1" << "0" << 60 << 209;
    }
    void ticks()
    {
        QFETCH(int, ticks);
        QFETCH(int, blacken);
        QFETCH(int, marker);
        QFETCH(QString, standardQuestion);
        QFETCH(QString, slotLeft);
        QFETCH(QString, paperLeft);
        QFETCH(QString, divTimeText);
        QFETCH(int, stdQNo);
        QFETCH(int, slotCnt);
        Paper paper;
        const Paper::Tick tick = ticked(paper, ticks);
        QVERIFY(tick.counted);
        QVERIFY(!tick.ended);
        QCOMPARE(tick.blacken, blacken);
        QCOMPARE(tick.marker, marker);
        QCOMPARE(tick.standardQuestion, standardQuestion);
        QCOMPARE(tick.slotLeft, slotLeft);
        QCOMPARE(tick.paperLeft, paperLeft);
        QCOMPARE(tick.pace.divTimeText, divTimeText);
        QCOMPARE(tick.pace.savedText, QStringLiteral("-"));
        QCOMPARE(paper.stdQNo(), stdQNo);
        QCOMPARE(paper.slotCnt(), slotCnt);
        QCOMPARE(paper.totalCnt(), ticks);
        QCOMPARE(paper.divTimeText(), divTimeText);
    }

    // Tick 12,600 ends the paper and shows nothing else; later ticks and
    // presses change nothing.
    void theEnd()
    {
        Paper paper;
        const Paper::Tick last = ticked(paper, 12600);
        QVERIFY(last.counted);
        QVERIFY(last.ended);
        QVERIFY(last.paperLeft.isEmpty());
        QCOMPARE(last.blacken, -1);
        QVERIFY(!paper.tick().counted);
        QVERIFY(!paper.next().counted);
        QCOMPARE(paper.totalCnt(), 12600);
        QCOMPARE(paper.doneCnt(), 0);
    }

    // A question finished after some ticks (and after earlier ones): the
    // marker of the new question, its number, and the user's pace.
    void finishingAQuestion_data()
    {
        QTest::addColumn<int>("ticks");
        QTest::addColumn<int>("before"); // questions finished already
        QTest::addColumn<bool>("counted");
        QTest::addColumn<int>("marker");
        QTest::addColumn<QString>("question");
        QTest::addColumn<int>("lpDivTime");
        QTest::addColumn<QString>("divTimeText");
        QTest::addColumn<QString>("savedText");
        QTest::newRow("during the countdown") << 0 << 0 << true << 1 << "2" << 214 << "3:34" << "3:30";
        QTest::newRow("at tick 100") << 100 << 0 << true << 1 << "2" << 212 << "3:32" << "1:50";
        QTest::newRow("the 59th") << 0 << 58 << true << 59 << "60" << 12600 << "3:30:00" << "3:26:30";
        QTest::newRow("on the last question") << 0 << 59 << false << -1 << "" << 12600 << "" << "";
        QTest::newRow("behind the pace") << 1000 << 3 << true << 4 << "5" << 207 << "3:27" << "-";
    }
    void finishingAQuestion()
    {
        QFETCH(int, ticks);
        QFETCH(int, before);
        QFETCH(bool, counted);
        QFETCH(int, marker);
        QFETCH(QString, question);
        QFETCH(int, lpDivTime);
        QFETCH(QString, divTimeText);
        QFETCH(QString, savedText);
        Paper paper;
        for (int i = 0; i < before; ++i)
            paper.next();
        ticked(paper, ticks);
        const Paper::Next next = paper.next();
        QCOMPARE(next.counted, counted);
        QCOMPARE(next.marker, marker);
        QCOMPARE(next.question, question);
        QCOMPARE(next.pace.divTimeText, divTimeText);
        QCOMPARE(next.pace.savedText, savedText);
        QCOMPARE(paper.lpDivTime(), lpDivTime);
        QCOMPARE(paper.doneCnt(), before + (counted ? 1 : 0));
    }

    // The first question's budget is the standard one, unless questions
    // finished during the countdown have set it.
    void theStart_data()
    {
        QTest::addColumn<int>("presses");
        QTest::addColumn<int>("lpDivTime");
        QTest::newRow("no press") << 0 << 210;
        QTest::newRow("a press") << 1 << 214;
    }
    void theStart()
    {
        QFETCH(int, presses);
        QFETCH(int, lpDivTime);
        Paper paper;
        for (int i = 0; i < presses; ++i)
            paper.next();
        paper.start();
        QCOMPARE(paper.lpDivTime(), lpDivTime);
    }

    // One refresh of the per-question window: elapsed E against the frozen
    // budget D and the standard 210 seconds, bars 5 twips a second.
    void refresh_data()
    {
        QTest::addColumn<QString>("counter");
        QTest::addColumn<int>("divTime");
        QTest::addColumn<QString>("elapsed");
        QTest::addColumn<QString>("required");
        QTest::addColumn<bool>("requiredOver");
        QTest::addColumn<int>("requiredBar");
        QTest::addColumn<QString>("standard");
        QTest::addColumn<bool>("standardOver");
        QTest::addColumn<int>("standardBar");
        QTest::addColumn<bool>("cue");
        QTest::newRow("0") << "0" << 210 << "0" << "3:30" << false << 1050 << "3:30" << false << 1050 << false;
        QTest::newRow("95") << "95" << 250 << "1:35" << "2:35" << false << 775 << "1:55" << false << 575 << false;
        QTest::newRow("150") << "150" << 180 << "2:30" << "30" << false << 150 << "1:00" << false << 300 << false;
        QTest::newRow("210") << "210" << 180 << "3:30" << "-30" << true << 150 << "0" << false << 0 << true;
        QTest::newRow("211") << "211" << 180 << "3:31" << "-31" << true << 155 << "-1" << true << 5 << false;
        QTest::newRow("3700") << "3700" << 200 << "1:01:40" << "-58:20" << true << 17500 << "-58:10" << true << 17450
                              << false;
        QTest::newRow("2.5 to even") << "2.5" << 210 << "2" << "3:28" << false << 1040 << "3:28" << false << 1040
                                     << false;
        QTest::newRow("209.5 to even") << "209.5" << 210 << "3:30" << "0" << false << 0 << "0" << false << 0 << true;
        QTest::newRow("no number") << "abc" << 210 << "0" << "3:30" << false << 1050 << "3:30" << false << 1050
                                   << false;
        QTest::newRow("negative") << "-5" << 210 << "0" << "3:35" << false << 1075 << "3:35" << false << 1075 << false;
        QTest::newRow("huge") << QString(400, u'9') << 210 << "596523:14:07" << "-596523:10:37" << true << INT_MAX
                              << "-596523:10:37" << true << INT_MAX << false;
    }
    void refresh()
    {
        QFETCH(QString, counter);
        QFETCH(int, divTime);
        QFETCH(QString, elapsed);
        QFETCH(QString, required);
        QFETCH(bool, requiredOver);
        QFETCH(int, requiredBar);
        QFETCH(QString, standard);
        QFETCH(bool, standardOver);
        QFETCH(int, standardBar);
        QFETCH(bool, cue);
        const QuestionClock::Refresh r = QuestionClock::refresh(counter, divTime);
        QCOMPARE(r.elapsedText, elapsed);
        QCOMPARE(r.required.text, required);
        QCOMPARE(r.required.overrun, requiredOver);
        QCOMPARE(r.required.barTwips, requiredBar);
        QCOMPARE(r.standard.text, standard);
        QCOMPARE(r.standard.overrun, standardOver);
        QCOMPARE(r.standard.barTwips, standardBar);
        QCOMPARE(r.cue, cue);
    }

    // A question's budget is frozen when its counter is written as exactly
    // zero (a text without a number counts as zero), and kept while it runs.
    void theBudgetFreezes_data()
    {
        QTest::addColumn<QString>("counter");
        QTest::addColumn<int>("divTime");
        QTest::newRow("5: kept") << "5" << 210;
        QTest::newRow("0.4: kept, though it shows 0") << "0.4" << 210;
        QTest::newRow("0: a new question") << "0" << 300;
        QTest::newRow("no number: a new question") << "x" << 300;
    }
    void theBudgetFreezes()
    {
        QFETCH(QString, counter);
        QFETCH(int, divTime);
        QuestionClock clock;
        clock.write(QStringLiteral("0"), 210);
        const QuestionClock::Refresh r = clock.write(counter, 300);
        QCOMPARE(clock.divTime(), divTime);
        QCOMPARE(clock.counter(), counter);
        QCOMPARE(r.required.barTwips, QuestionClock::refresh(counter, divTime).required.barTwips);
    }

    void theCounterAdvances_data()
    {
        QTest::addColumn<QString>("counter");
        QTest::addColumn<QString>("advanced");
        QTest::newRow("0") << "0" << "1";
        QTest::newRow("209") << "209" << "210";
        QTest::newRow("no number") << "" << "1";
        QTest::newRow("a fraction") << "7.25" << "8";
    }
    void theCounterAdvances()
    {
        QFETCH(QString, counter);
        QFETCH(QString, advanced);
        QuestionClock clock;
        clock.write(counter, 0);
        QCOMPARE(clock.advanced(), advanced);
    }

    // A press counts two seconds after the reading taken after the last
    // accepted one, counted forward around midnight; a reading rounds its
    // half second to even. Each row: that reading, the clock at a new
    // press, and whether it counts.
    void debounce_data()
    {
        QTest::addColumn<int>("previous");
        QTest::addColumn<QTime>("clock");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("1 s after") << 100 << QTime(0, 1, 41) << false;
        QTest::newRow("1.5 s after, read as 2") << 100 << QTime(0, 1, 41, 500) << true;
        QTest::newRow("2.5 s after, read as 2") << 98 << QTime(0, 1, 40, 500) << true;
        QTest::newRow("1.4 s after") << 100 << QTime(0, 1, 41, 400) << false;
        QTest::newRow("across midnight") << 86399 << QTime(0, 0, 1) << true;
        QTest::newRow("just across midnight") << 86399 << QTime(0, 0) << false;
        QTest::newRow("from the rounded midnight") << 86400 << QTime(0, 0, 2) << true;
        QTest::newRow("1 s from the rounded midnight") << 86400 << QTime(0, 0, 1) << false;
        QTest::newRow("much later") << 100 << QTime(23, 0) << true;
        QTest::newRow("before it, a day on") << 200 << QTime(0, 3, 19) << true;
    }
    void debounce()
    {
        QFETCH(int, previous);
        QFETCH(QTime, clock);
        QFETCH(bool, accepted);
        PressDebounce d;
        d.accepted(previous);
        QCOMPARE(d.press(pressReading(clock)), accepted);
        QCOMPARE(d.thisPress(), pressReading(clock));
        QCOMPARE(d.prevPress(), previous);
    }

    // A fresh button takes any press, even at midnight; readings round half
    // to even, and an invalid clock reads as midnight.
    void theFirstPress_data()
    {
        QTest::addColumn<QTime>("clock");
        QTest::addColumn<int>("reading");
        QTest::newRow("midnight") << QTime(0, 0) << 0;
        QTest::newRow("half a second before midnight") << QTime(23, 59, 59, 500) << 86400;
        QTest::newRow("noon and a half") << QTime(12, 0, 0, 500) << 43200;
        QTest::newRow("invalid") << QTime() << 0;
    }
    void theFirstPress()
    {
        QFETCH(QTime, clock);
        QFETCH(int, reading);
        PressDebounce d;
        QCOMPARE(pressReading(clock), reading);
        QVERIFY(d.press(reading));
    }

    // A whole paper through the models, as the windows drive them: a
    // question done every 210 seconds for the first 59, the per-question
    // clock advanced every tick and reset at each question.
    void aWholePaper()
    {
        Paper paper;
        QuestionClock clock;
        paper.start();
        clock.write(QStringLiteral("0"), paper.lpDivTime());
        int cues = 0, blackened = 0, ends = 0;
        for (int t = 1; t <= 12601; ++t) {
            const Paper::Tick tick = paper.tick();
            ends += tick.ended;
            if (!tick.counted || tick.ended)
                continue;
            blackened += tick.blacken >= 0;
            cues += clock.write(clock.advanced(), paper.lpDivTime()).cue;
            if (t % 210 == 0 && paper.next().counted)
                cues += clock.write(QStringLiteral("0"), paper.lpDivTime()).cue;
        }
        QCOMPARE(ends, 1);
        QCOMPARE(blackened, 60);
        QCOMPARE(cues, 59); // each finished question reached 210 s
        QCOMPARE(paper.doneCnt(), 59);
        QCOMPARE(paper.stdQNo(), 60);
        QCOMPARE(clock.divTime(), 210);
        QCOMPARE(clock.counter(), QStringLiteral("209"));
    }
};

QTEST_GUILESS_MAIN(TestPaper)
#include "tst_paper.moc"
