// The multiple-choice paper: its rules as tables on its models (the pace
// arithmetic, ticks and finished questions, the per-question clock, the Done
// button's two seconds, a whole paper), then the three windows showing what
// the models say, driven as the user would.

#include "common/periodictimer.h"
#include "common/twips.h"
#include "multiple_choice/debounce.h"
#include "multiple_choice/frmtak.h"
#include "multiple_choice/paper.h"
#include "multiple_choice/question.h"
#include "support/testsupport.h"
#include "widgets/controls.h"
#include "widgets/formref.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <climits>

using namespace orv;
using test::clocks;
using test::texts;

namespace {
QWidget *window(const char *name)
{
    return test::window(QLatin1String(name));
}

QWidget *control(const QWidget *window, const QString &name)
{
    return window->findChild<QWidget *>(name);
}

// Whether a grid marker stands in front of its cell.
bool markerShown(const QWidget *tak, int i)
{
    QWidget *cell = control(tak, indexedName("LabelQ", i));
    const QObjectList &row = cell->parent()->children();
    return row.indexOf(control(tak, indexedName("LabelQ2", i))) > row.indexOf(cell);
}

// Whether a label has grown past its box, away from its aligned edge.
bool grown(const QWidget *window, const char *name)
{
    const auto *label = window->findChild<QLabel *>(QLatin1String(name));
    const QRect box = twipsToPx(twipsOf(label)), now = label->geometry();
    const bool right = label->alignment() & Qt::AlignRight;
    return now.width() > box.width() && (right ? now.right() == box.right() : now.left() == box.left());
}

bool black(const QWidget *tak, int i)
{
    return control(tak, indexedName("LabelQ", i))->palette().color(QPalette::Window) == Qt::black;
}


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

class TestMultipleChoice : public QObject
{
    Q_OBJECT

private slots:
    // The seconds for each question left, rounded half to even, and the
    // advantage over the standard pace.
    void savedTime_data()
    {
        QTest::addColumn<SavedRow>("row");
        QTest::newRow("the start") << SavedRow{0, 0, 210, "3:30", "-"};
        QTest::newRow("one done at 100") << SavedRow{100, 1, 212, "3:32", "1:50"};
        QTest::newRow("6299.5 to even") << SavedRow{1, 58, 6300, "1:45:00", "3:22:59"};
        QTest::newRow("6298.5 to even") << SavedRow{3, 58, 6298, "1:44:58", "3:22:57"};
        QTest::newRow("all done at once") << SavedRow{0, 59, 12600, "3:30:00", "3:26:30"};
        QTest::newRow("an advantage of 0") << SavedRow{210, 1, 210, "3:30", "-"};
        QTest::newRow("an advantage of 1") << SavedRow{209, 1, 210, "3:30", "1"};
        QTest::newRow("under a second each") << SavedRow{12599, 0, 0, "0", "-"};
        QTest::newRow("0.5 to even") << SavedRow{12570, 0, 0, "0", "-"};
        QTest::newRow("1.5 to even") << SavedRow{12510, 0, 2, "2", "-"};
        QTest::newRow("no question left") << SavedRow{0, 60, 0, "0", "3:30:00"};
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
        QTest::newRow("210: question 2") << TickRow{210, 1, -1, "2", "3:30", "3:26:30", "3:26", 2, 0};
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

    // One refresh of the per-question window: elapsed E against the frozen
    // budget D and the standard 210 seconds, bars 5 twips a second.
    void refresh_data()
    {
        QTest::addColumn<RefreshRow>("row");
        QTest::newRow("0") << RefreshRow{"0", 210, "0", "3:30", false, 1050, "3:30", false, 1050, false};
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
        clock.write(counter, 300);
        QCOMPARE(clock.divTime(), divTime);
        QCOMPARE(clock.counter(), counter);
        QCOMPARE(clock.advanced(), advanced);
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

    void cleanup() { discardAllForms(); }

    // The cover counts down by its clock while the Done button floats beside
    // the window; a question finished meanwhile counts, and makes the
    // per-question window hidden, with its budget. At the start that window
    // shows, timing the next question. The box sets the pacing clock's
    // interval; typed during the countdown it gives way to 1000 at the start.
    void openingAndStart()
    {
        test::FakeDesktop desktop;
        FrmTak *tak = open();
        QWidget *button = window("FrmBtn");
        QCOMPARE(test::shown(tak, "Picture1 CmdNext"), QStringLiteral("10"));
        QCOMPARE(texts(tak, "Label1"), QStringLiteral("③"));
        QCOMPARE(control(tak, QStringLiteral("Label1"))->accessibleName(), QStringLiteral("開始までのカウントダウン"));
        QVERIFY(button->isVisible());
        QVERIFY(button->x() > tak->x() + tak->width());
        QVERIFY(!window("FrmDur"));
        test::call(tak, "CmdNext_Click");
        QWidget *dur = window("FrmDur");
        QVERIFY(!dur->isVisible());
        QCOMPARE(dur->property("DivTime").toInt(), 214);
        auto *box = tak->findChild<QLineEdit *>(QStringLiteral("Text1"));
        box->setText(QStringLiteral("2.5"));
        QCOMPARE(clocks(tak), QStringLiteral("Timer1 2 off|Timer2 1000 on"));
        test::fire(tak, "Timer2");
        QCOMPARE(texts(tak, "Label1"), QStringLiteral("②"));
        test::fire(tak, "Timer2", 2);
        QCOMPARE(clocks(tak), QStringLiteral("Timer1 1000 on|Timer2 1000 off"));
        QCOMPARE(desktop.played, QStringList({"s01.wav", "s01.wav", "s01.wav", "s03.wav"}));
        QCOMPARE(test::shown(tak, "Picture1 Picture2"), QStringLiteral("01"));
        QVERIFY(dur->isVisible());
        QVERIFY(dur->y() > tak->y() + tak->height());
        QCOMPARE(dur->property("DivTime").toInt(), 214);
        QCOMPARE(texts(dur, "LabelDurTime LabelEachTime2 LabelTitle2"), QStringLiteral("0|3:34|必要処理時間(残)"));
        box->setText(QStringLiteral("5"));
        QCOMPARE(clocks(tak), QStringLiteral("Timer1 5 on|Timer2 1000 off"));
        test::fire(tak, "Timer1");
        QCOMPARE(tak->property("TotalCnt").toInt(), 1);
        QTest::keyClicks(dur, QStringLiteral("0")); // out of the keyboard's reach
        QCOMPARE(dur->property("TextEcnt").toString(), QStringLiteral("1"));
    }

    // The cells stand in three even rows of twenty, evenly spaced but for a
    // wider gap after the tenth column; every marker starts behind its cell.
    void theGrid()
    {
        FrmTak *tak = formRef<FrmTak>().get();
        const auto cell = [tak](int i) { return twipsOf(control(tak, indexedName("LabelQ", i))); };
        const int step = cell(1).left() - cell(0).left();
        QString gaps, markers;
        for (int i = 0; i < 60; ++i) {
            QVERIFY(cell(i).left() == cell(i % 20).left() && cell(i).top() == cell(i / 20 * 20).top());
            const int gap = i % 20 == 19 ? 0 : cell(i + 1).left() - cell(i).left();
            gaps += i % 20 == 19 ? u'|' : gap == step ? u'.' : gap == step + 60 ? u'W' : u'?';
            markers += markerShown(tak, i) ? u'1' : u'0';
        }
        QCOMPARE(gaps, (QString(9, u'.') + u'W' + QString(9, u'.') + u'|').repeated(3));
        QCOMPARE(cell(40).top() - cell(20).top(), cell(20).top() - cell(0).top());
        QCOMPARE(cell(0).topLeft(), QPoint(150, 630));
        QCOMPARE(markers, QString(60, u'0'));
    }

    // Each kind of change a tick or a finished question brings is shown:
    // a blackened cell, a marker in front, the figures, and the
    // per-question window's counter, bars and cue.
    void aPaperShown()
    {
        test::FakeDesktop desktop;
        FrmTak *tak = startedPaper();
        QWidget *dur = window("FrmDur");
        QCOMPARE(dur->property("DivTime").toInt(), 210);
        desktop.played.clear();
        test::call(tak, "Timer1_Timer");
        QVERIFY(black(tak, 0));
        QVERIFY(markerShown(tak, 0));
        QCOMPARE(texts(tak, "LabelEachTime LabelTotalTime"), QStringLiteral("3:29|3:29:59"));
        QCOMPARE(dur->property("TextEcnt").toString(), QStringLiteral("1"));
        test::call(tak, "Timer1_Timer", 99);
        tak->findChild<QPushButton *>(QStringLiteral("CmdNext"))->click(); // hidden, yet clickable by tools
        QVERIFY(markerShown(tak, 1));
        QCOMPARE(texts(tak, "LabelQNo2 LabelEachTime2 LabelSavedTime"), QStringLiteral("2|3:32|1:50"));
        QVERIFY(grown(tak, "LabelSavedTime")); // labels wider than their box grow
        QVERIFY(grown(tak, "Label2(7)"));
        QCOMPARE(dur->property("TextEcnt").toString(), QStringLiteral("0"));
        QCOMPARE(dur->property("DivTime").toInt(), 212);
        test::call(tak, "Timer1_Timer", 110);
        QVERIFY(black(tak, 1));
        QVERIFY(!black(tak, 2));
        QCOMPARE(texts(tak, "LabelQNo"), QStringLiteral("2"));
        test::call(tak, "Timer1_Timer", 103);
        QCOMPARE(texts(dur, "LabelDurTime LabelEachTime2 LabelEachTime"), QStringLiteral("3:33|-1|-3"));
        QCOMPARE(control(dur, QStringLiteral("LabelDiv"))->palette().color(QPalette::Window), QColor(Qt::red));
        QVERIFY(control(dur, QStringLiteral("LabelDiv"))->autoFillBackground());
        QCOMPARE(control(dur, QStringLiteral("LabelEachTime2"))->palette().color(QPalette::WindowText), QColor(Qt::yellow));
        QCOMPARE(twipsOf(control(dur, QStringLiteral("LabelDiv2"))).width(), 15);
        QCOMPARE(desktop.played, QStringList({"s02.wav"}));
        dur->setProperty("TextEcnt", QStringLiteral("3700"));
        QVERIFY(grown(dur, "LabelEachTime2"));
    }

    // Tick 12,600: the dashes, the end's cue and a request for attention;
    // the companions go, the window stays. After it nothing counts.
    void theEndShown()
    {
        test::FakeDesktop desktop;
        FrmTak *tak = startedPaper();
        test::call(tak, "Timer1_Timer", 12600);
        QCOMPARE(texts(tak, "LabelQNo LabelEachTime LabelTotalTime"), QStringLiteral("--|--:--|-:--:--"));
        QCOMPARE(desktop.played.last(), QStringLiteral("s04.wav"));
        QCOMPARE(desktop.attention, QStringList({"FrmTak"}));
        QCOMPARE(clocks(tak), QStringLiteral("Timer1 1000 off|Timer2 1000 off"));
        QVERIFY(!window("FrmBtn")->isVisible());
        QVERIFY(!window("FrmDur")->isVisible());
        test::call(tak, "CmdNext_Click");
        QCOMPARE(texts(tak, "LabelQNo2"), QStringLiteral("1"));
    }

    // The Done button: Enter or a click counts at most once in two seconds,
    // with a beep; a window-system close leaves it; the per-question window
    // may be closed and the paper goes on.
    void theDoneButton()
    {
        test::FakeDesktop desktop;
        FrmTak *tak = startedPaper();
        QWidget *button = window("FrmBtn"), *dur = window("FrmDur");
        auto *done = button->findChild<QPushButton *>(QStringLiteral("CmdDone"));
        QVERIFY(done->isDefault());
        QCOMPARE(button->focusWidget(), done);
        desktop.logged.clear();
        desktop.now = QTime(10, 0, 0, 200);
        QTest::keyClick(button, Qt::Key_Return);
        desktop.now = QTime(10, 0, 1);
        QTest::keyClick(button, Qt::Key_Return);
        QCOMPARE(button->property("ThisPress").toInt(), 36001);
        QCOMPARE(tak->property("DoneCnt").toInt(), 1);
        desktop.now = QTime(10, 0, 2);
        QTest::mouseClick(done, Qt::LeftButton);
        QCOMPARE(tak->property("DoneCnt").toInt(), 2);
        QCOMPARE(button->property("PrevPress").toInt(), 36002);
        QCOMPARE(desktop.logged, QStringList({"beep", "beep"}));
        QSignalSpy activated(dur, SIGNAL(activated()));
        dur->activateWindow();
        QTRY_COMPARE(activated.count(), 1); // the Done button comes to the front
        test::closeFromWindowSystem(button);
        test::closeFromWindowSystem(dur);
        QVERIFY(button->isVisible());
        QVERIFY(!dur->isVisible());
        test::call(tak, "Timer1_Timer", 10);
        QCOMPARE(dur->property("TextEcnt").toString(), QStringLiteral("10"));
        desktop.now = QTime(11, 0);
        test::call(button, "CmdDone_Click");
        QCOMPARE(tak->property("DoneCnt").toInt(), 3);
        QCOMPARE(dur->property("TextEcnt").toString(), QStringLiteral("0"));
    }

private:
    // The tests step the clocks.
    static FrmTak *open()
    {
        FrmTak *tak = formRef<FrmTak>().renew();
        tak->show();
        return tak;
    }
    static FrmTak *startedPaper()
    {
        FrmTak *tak = open();
        test::call(tak, "Timer2_Timer", 3);
        return tak;
    }
};

QTEST_MAIN(TestMultipleChoice)
#include "tst_multiple_choice.moc"
