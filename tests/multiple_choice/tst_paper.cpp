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

// A paper after `ticks` pacing ticks; the last tick's result.
Paper::Tick ticked(Paper &paper, int ticks)
{
    Paper::Tick last;
    for (int t = 1; t <= ticks; ++t)
        last = paper.tick();
    return last;
}

// After totalCnt seconds with doneCnt questions done: LpDivTime, its text
// and the advantage.
struct SavedRow
{
    int totalCnt, doneCnt, lpDivTime;
    const char *divTimeText, *savedText;
};

struct TickRow
{
    int ticks, blacken, marker;
    const char *standardQuestion, *slotLeft, *paperLeft, *divTimeText;
    int stdQNo, slotCnt;
};

struct NextRow
{
    int ticks, before; // pacing ticks, and questions finished before them
    bool counted;
    int marker;
    const char *question;
    int lpDivTime;
    const char *divTimeText, *savedText;
};

struct RefreshRow
{
    const char *counter;
    int divTime;
    const char *elapsed, *required;
    bool requiredOver;
    int requiredBar;
    const char *standard;
    bool standardOver;
    int standardBar;
    bool cue;
};

} // namespace

Q_DECLARE_METATYPE(SavedRow)
Q_DECLARE_METATYPE(TickRow)
Q_DECLARE_METATYPE(NextRow)
Q_DECLARE_METATYPE(RefreshRow)

class TestPaper : public QObject
{
    Q_OBJECT

private slots:
    // The seconds for each question left, rounded half to even, and the
    // advantage over the standard pace.
    void savedTime_data()
    {
        QTest::addColumn<SavedRow>("row");
        QTest::newRow("the start") << SavedRow{0, 0, 210, "3:30", "-"};
        QTest::newRow("209.98") << SavedRow{1, 0, 210, "3:30", "-"};
        QTest::newRow("one done at 100") << SavedRow{100, 1, 212, "3:32", "1:50"};
        QTest::newRow("6299.5 to even") << SavedRow{1, 58, 6300, "1:45:00", "3:22:59"};
        QTest::newRow("6298.5 to even") << SavedRow{3, 58, 6298, "1:44:58", "3:22:57"};
        QTest::newRow("all done at once") << SavedRow{0, 59, 12600, "3:30:00", "3:26:30"};
        QTest::newRow("an advantage of 0") << SavedRow{210, 1, 210, "3:30", "-"};
        QTest::newRow("under a second each") << SavedRow{12599, 0, 0, "0", "-"};
        QTest::newRow("0.5 to even") << SavedRow{12570, 0, 0, "0", "-"};
        QTest::newRow("1.5 to even") << SavedRow{12510, 0, 2, "2", "-"};
        QTest::newRow("no question left") << SavedRow{0, 60, 0, "0", "3:30:00"};
        QTest::newRow("saturated") << SavedRow{INT_MIN, 59, INT_MAX, "596523:14:07", "596526:40:38"};
    }
    void savedTime()
    {
        QFETCH(SavedRow, row);
        const pace::SavedTime saved = pace::savedTime(row.totalCnt, row.doneCnt);
        QCOMPARE(saved.lpDivTime, row.lpDivTime);
        QCOMPARE(saved.divTimeText, QString(row.divTimeText));
        QCOMPARE(saved.savedText, QString(row.savedText));
    }

    // The paper after a number of ticks with no question finished: what the
    // last tick shows (the cell blackened and the marker shown, or -1; the
    // standard pace's question when it moves on; the times left in the slot
    // and the paper; the seconds for each question left), and where the
    // standard pace stands.
    void ticks_data()
    {
        QTest::addColumn<TickRow>("row");
        QTest::newRow("1: the first cell and marker") << TickRow{1, 0, 0, "", "3:29", "3:29:59", "3:30", 0, 1};
        QTest::newRow("2") << TickRow{2, -1, -1, "", "3:28", "3:29:58", "3:30", 0, 2};
        QTest::newRow("209") << TickRow{209, -1, -1, "", "1", "3:26:31", "3:27", 0, 209};
        QTest::newRow("210: question 2") << TickRow{210, 1, -1, "2", "3:30", "3:26:30", "3:26", 2, 0};
        QTest::newRow("211") << TickRow{211, -1, -1, "", "3:29", "3:26:29", "3:26", 2, 1};
        QTest::newRow("420: question 3") << TickRow{420, 2, -1, "3", "3:30", "3:23:00", "3:23", 3, 0};
        QTest::newRow("9000: an hour left") << TickRow{9000, -1, -1, "", "30", "1:00:00", "1:00", 43, 180};
        QTest::newRow("12390: question 60") << TickRow{12390, 59, -1, "60", "3:30", "3:30", "4", 60, 0};
        QTest::newRow("12599") << TickRow{12599, -1, -1, "", "1", "1", "0", 60, 209};
    }
    void ticks()
    {
        QFETCH(TickRow, row);
        Paper paper;
        const Paper::Tick tick = ticked(paper, row.ticks);
        QVERIFY(tick.counted);
        QVERIFY(!tick.ended);
        QCOMPARE(tick.blacken, row.blacken);
        QCOMPARE(tick.marker, row.marker);
        QCOMPARE(tick.standardQuestion, QString(row.standardQuestion));
        QCOMPARE(tick.slotLeft, QString(row.slotLeft));
        QCOMPARE(tick.paperLeft, QString(row.paperLeft));
        QCOMPARE(tick.pace.divTimeText, QString(row.divTimeText));
        QCOMPARE(tick.pace.savedText, QStringLiteral("-"));
        QCOMPARE(paper.stdQNo(), row.stdQNo);
        QCOMPARE(paper.slotCnt(), row.slotCnt);
        QCOMPARE(paper.totalCnt(), row.ticks);
        QCOMPARE(paper.divTimeText(), QString(row.divTimeText));
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
        QTest::addColumn<NextRow>("row");
        QTest::newRow("during the countdown") << NextRow{0, 0, true, 1, "2", 214, "3:34", "3:30"};
        QTest::newRow("at tick 100") << NextRow{100, 0, true, 1, "2", 212, "3:32", "1:50"};
        QTest::newRow("the 59th") << NextRow{0, 58, true, 59, "60", 12600, "3:30:00", "3:26:30"};
        QTest::newRow("on the last question") << NextRow{0, 59, false, -1, "", 12600, "", ""};
        QTest::newRow("behind the pace") << NextRow{1000, 3, true, 4, "5", 207, "3:27", "-"};
    }
    void finishingAQuestion()
    {
        QFETCH(NextRow, row);
        Paper paper;
        for (int i = 0; i < row.before; ++i)
            paper.next();
        ticked(paper, row.ticks);
        const Paper::Next next = paper.next();
        QCOMPARE(next.counted, row.counted);
        QCOMPARE(next.marker, row.marker);
        QCOMPARE(next.question, QString(row.question));
        QCOMPARE(next.pace.divTimeText, QString(row.divTimeText));
        QCOMPARE(next.pace.savedText, QString(row.savedText));
        QCOMPARE(paper.lpDivTime(), row.lpDivTime);
        QCOMPARE(paper.doneCnt(), row.before + (row.counted ? 1 : 0));
    }

    // The first question's budget is the standard one, unless questions
    // finished during the countdown have set it.
    void theStart()
    {
        Paper fresh, pressed;
        fresh.start();
        QCOMPARE(fresh.lpDivTime(), 210);
        pressed.next();
        pressed.start();
        QCOMPARE(pressed.lpDivTime(), 214);
    }

    // One refresh of the per-question window: elapsed E against the frozen
    // budget D and the standard 210 seconds, bars 5 twips a second.
    void refresh_data()
    {
        QTest::addColumn<RefreshRow>("row");
        QTest::newRow("0") << RefreshRow{"0", 210, "0", "3:30", false, 1050, "3:30", false, 1050, false};
        QTest::newRow("95") << RefreshRow{"95", 250, "1:35", "2:35", false, 775, "1:55", false, 575, false};
        QTest::newRow("150") << RefreshRow{"150", 180, "2:30", "30", false, 150, "1:00", false, 300, false};
        QTest::newRow("210") << RefreshRow{"210", 180, "3:30", "-30", true, 150, "0", false, 0, true};
        QTest::newRow("211") << RefreshRow{"211", 180, "3:31", "-31", true, 155, "-1", true, 5, false};
        QTest::newRow("3700") << RefreshRow{"3700", 200, "1:01:40", "-58:20", true, 17500, "-58:10", true, 17450, false};
        QTest::newRow("2.5 to even") << RefreshRow{"2.5", 210, "2", "3:28", false, 1040, "3:28", false, 1040, false};
        QTest::newRow("209.5 to even") << RefreshRow{"209.5", 210, "3:30", "0", false, 0, "0", false, 0, true};
        QTest::newRow("no number") << RefreshRow{"abc", 210, "0", "3:30", false, 1050, "3:30", false, 1050, false};
        QTest::newRow("negative") << RefreshRow{"-5", 210, "0", "3:35", false, 1075, "3:35", false, 1075, false};
        QTest::newRow("huge") << RefreshRow{"99999999999", 210, "596523:14:07", "-596523:10:37", true, INT_MAX,
                                            "-596523:10:37", true, INT_MAX, false};
    }
    void refresh()
    {
        QFETCH(RefreshRow, row);
        const QuestionClock::Refresh r = QuestionClock::refresh(QString::fromLatin1(row.counter), row.divTime);
        QCOMPARE(r.elapsedText, QString(row.elapsed));
        QCOMPARE(r.required.text, QString(row.required));
        QCOMPARE(r.required.overrun, row.requiredOver);
        QCOMPARE(r.required.barTwips, row.requiredBar);
        QCOMPARE(r.standard.text, QString(row.standard));
        QCOMPARE(r.standard.overrun, row.standardOver);
        QCOMPARE(r.standard.barTwips, row.standardBar);
        QCOMPARE(r.cue, row.cue);
    }

    // A question's budget is frozen when its counter is written as exactly
    // zero (a text without a number counts as zero), and kept while it
    // runs; the counter advances by one a tick.
    void theBudgetFreezes_data()
    {
        QTest::addColumn<QString>("counter");
        QTest::addColumn<int>("divTime");
        QTest::addColumn<QString>("advanced");
        QTest::newRow("5: kept") << "5" << 210 << "6";
        QTest::newRow("0.4: kept, though it shows 0") << "0.4" << 210 << "1";
        QTest::newRow("0: a new question") << "0" << 300 << "1";
        QTest::newRow("no number: a new question") << "x" << 300 << "1";
        QTest::newRow("209") << "209" << 210 << "210";
    }
    void theBudgetFreezes()
    {
        QFETCH(QString, counter);
        QFETCH(int, divTime);
        QFETCH(QString, advanced);
        QuestionClock clock;
        clock.write(QStringLiteral("0"), 210);
        const QuestionClock::Refresh r = clock.write(counter, 300);
        QCOMPARE(clock.divTime(), divTime);
        QCOMPARE(clock.counter(), counter);
        QCOMPARE(clock.advanced(), advanced);
        QCOMPARE(r.required.barTwips, QuestionClock::refresh(counter, divTime).required.barTwips);
    }

    // A press counts two seconds after the reading taken after the last
    // accepted one (-1: none yet, when any press counts), counted forward
    // around midnight; a reading rounds its half second to even. Each row:
    // that reading, the clock at a new press, and whether it counts.
    void debounce_data()
    {
        QTest::addColumn<int>("previous");
        QTest::addColumn<QTime>("clock");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("1 s after") << 100 << QTime(0, 1, 41) << false;
        QTest::newRow("1.5 s after, read as 2") << 100 << QTime(0, 1, 41, 500) << true;
        QTest::newRow("1.4 s after") << 100 << QTime(0, 1, 41, 400) << false;
        QTest::newRow("across midnight") << 86399 << QTime(0, 0, 1) << true;
        QTest::newRow("just across midnight") << 86399 << QTime(0, 0) << false;
        QTest::newRow("1 s from the rounded midnight") << 86400 << QTime(0, 0, 1) << false;
        QTest::newRow("half a second before midnight") << 86398 << QTime(23, 59, 59, 500) << true;
        QTest::newRow("before it, a day on") << 200 << QTime(0, 3, 19) << true;
        QTest::newRow("the first, at midnight") << -1 << QTime(0, 0) << true;
    }
    void debounce()
    {
        QFETCH(int, previous);
        QFETCH(QTime, clock);
        QFETCH(bool, accepted);
        PressDebounce d;
        if (previous >= 0)
            d.accepted(previous);
        QCOMPARE(d.press(pressReading(clock)), accepted);
        QCOMPARE(d.prevPress(), qMax(previous, 0));
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
