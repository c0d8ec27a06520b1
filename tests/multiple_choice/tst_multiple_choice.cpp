// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The multiple-choice paper: its rules as tables on its models (the pace
// arithmetic, ticks and finished questions, the per-question clock, the Done
// button's two seconds, a whole paper), then the three windows showing what
// the models say, driven as the user would.

#include "common/periodictimer.h"
#include "common/twips.h"
#include "multiple_choice/debounce.h"
#include "multiple_choice/frmdur.h"
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
using test::window;

namespace {
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
std::optional<Paper::Tick> ticked(Paper &paper, int ticks)
{
    std::optional<Paper::Tick> last;
    for (int t = 1; t <= ticks; ++t)
        last = paper.tick();
    return last;
}

// After `total` seconds with `done` questions done: LpDivTime, its text and
// the advantage.
struct SavedRow
{
    int total, done, lpDivTime;
    const char *text, *saved;
};

// The paper after a number of ticks with no question finished: what the
// last tick shows (the user's pace only where it changes), and where the
// standard pace stands.
struct TickRow
{
    int ticks;
    std::optional<int> blacken = {}, marker = {};
    std::optional<QString> question = {};
    const char *slotLeft, *paperLeft, *pace;
    bool newPace = false;
    int stdQNo, slotCnt;
};

// A question finished after some ticks, and after earlier ones.
struct NextRow
{
    int ticks, before, lpDivTime;
    std::optional<int> marker = {};
    const char *question = "", *pace = "", *saved = "";
};

// A counter written over a question's, and its budget and next count after.
struct BudgetRow
{
    const char *counter;
    int divTime;
    const char *advanced;
};

// The reading taken after the last accepted press (none yet: any press
// counts), the clock at a new press, and whether it counts.
struct PressRow
{
    std::optional<int> previous = {};
    QTime clock;
    bool accepted;
};

// A row of the per-question window with time left, and one overrun.
QuestionClock::Row left(const char *text, int barTwips)
{
    return {text, false, barTwips};
}
QuestionClock::Row over(const char *text, int barTwips)
{
    return {text, true, barTwips};
}

// A counter against the frozen budget and the standard 210 seconds.
struct RefreshRow
{
    const char *counter;
    int budget;
    const char *elapsed;
    QuestionClock::Row required, standard;
    bool cue = false;
};

} // namespace

Q_DECLARE_METATYPE(SavedRow)
Q_DECLARE_METATYPE(TickRow)
Q_DECLARE_METATYPE(NextRow)
Q_DECLARE_METATYPE(RefreshRow)
Q_DECLARE_METATYPE(BudgetRow)
Q_DECLARE_METATYPE(PressRow)

class TestMultipleChoice : public QObject
{
    Q_OBJECT

private slots:
    // The seconds for each question left, rounded half to even, and the
    // advantage over the standard pace.
    void savedTime_data()
    {
        QTest::addColumn<SavedRow>("row");
        QTest::newRow("the start") << SavedRow{.total = 0, .done = 0, .lpDivTime = 210, .text = "3:30", .saved = "-"};
        QTest::newRow("at 100") << SavedRow{.total = 100, .done = 1, .lpDivTime = 212, .text = "3:32", .saved = "1:50"};
        QTest::newRow("6299.5") << SavedRow{.total = 1, .done = 58, .lpDivTime = 6300, .text = "1:45:00", .saved = "3:22:59"};
        QTest::newRow("6298.5") << SavedRow{.total = 3, .done = 58, .lpDivTime = 6298, .text = "1:44:58", .saved = "3:22:57"};
        QTest::newRow("all done") << SavedRow{.total = 0, .done = 59, .lpDivTime = 12600, .text = "3:30:00", .saved = "3:26:30"};
        QTest::newRow("advantage 0") << SavedRow{.total = 210, .done = 1, .lpDivTime = 210, .text = "3:30", .saved = "-"};
        QTest::newRow("advantage 1") << SavedRow{.total = 209, .done = 1, .lpDivTime = 210, .text = "3:30", .saved = "1"};
        QTest::newRow("under a second") << SavedRow{.total = 12599, .done = 0, .lpDivTime = 0, .text = "0", .saved = "-"};
        QTest::newRow("0.5") << SavedRow{.total = 12570, .done = 0, .lpDivTime = 0, .text = "0", .saved = "-"};
        QTest::newRow("1.5") << SavedRow{.total = 12510, .done = 0, .lpDivTime = 2, .text = "2", .saved = "-"};
        QTest::newRow("none left") << SavedRow{.total = 0, .done = 60, .lpDivTime = 0, .text = "0", .saved = "3:30:00"};
    }
    void savedTime()
    {
        QFETCH(SavedRow, row);
        const pace::SavedTime saved = pace::savedTime(row.total, row.done);
        QCOMPARE(saved.lpDivTime, row.lpDivTime);
        QCOMPARE(saved.divTimeText, QString(row.text));
        QCOMPARE(saved.savedText, QString(row.saved));
    }

    void ticks_data()
    {
        QTest::addColumn<TickRow>("row");
        const QList<TickRow> rows{
            {.ticks = 1, .blacken = 0, .marker = 0, .slotLeft = "3:29", .paperLeft = "3:29:59", .pace = "3:30", .stdQNo = 0, .slotCnt = 1},
            {.ticks = 31, .slotLeft = "2:59", .paperLeft = "3:29:29", .pace = "3:29", .newPace = true, .stdQNo = 0, .slotCnt = 31},
            {.ticks = 210, .blacken = 1, .question = "2", .slotLeft = "3:30", .paperLeft = "3:26:30", .pace = "3:26", .newPace = true, .stdQNo = 2, .slotCnt = 0},
            {.ticks = 420, .blacken = 2, .question = "3", .slotLeft = "3:30", .paperLeft = "3:23:00", .pace = "3:23", .stdQNo = 3, .slotCnt = 0},
            {.ticks = 9000, .slotLeft = "30", .paperLeft = "1:00:00", .pace = "1:00", .stdQNo = 43, .slotCnt = 180},
            {.ticks = 12390, .blacken = 59, .question = "60", .slotLeft = "3:30", .paperLeft = "3:30", .pace = "4", .stdQNo = 60, .slotCnt = 0},
            {.ticks = 12599, .slotLeft = "1", .paperLeft = "1", .pace = "0", .stdQNo = 60, .slotCnt = 209}};
        for (const TickRow &row : rows)
            QTest::addRow("%d", row.ticks) << row;
    }
    void ticks()
    {
        QFETCH(TickRow, row);
        Paper paper;
        const std::optional<Paper::Tick> tick = ticked(paper, row.ticks);
        QVERIFY(tick);
        QVERIFY(!tick->ended);
        QCOMPARE(tick->cue, std::nullopt);
        QCOMPARE(tick->blacken, row.blacken);
        QCOMPARE(tick->marker, row.marker);
        QCOMPARE(tick->figures.questionNo, row.question);
        QCOMPARE(tick->figures.questionLeft, QString(row.slotLeft));
        QCOMPARE(tick->figures.runLeft, QString(row.paperLeft));
        QCOMPARE(tick->pace.has_value(), row.newPace);
        if (tick->pace)
            QCOMPARE(tick->pace->divTimeText, QString(row.pace));
        QCOMPARE(paper.stdQNo(), row.stdQNo);
        QCOMPARE(paper.slotCnt(), row.slotCnt);
        QCOMPARE(paper.totalCnt(), row.ticks);
        QCOMPARE(paper.divTimeText(), QString(row.pace));
    }

    // A question finished after some ticks (and after earlier ones): the
    // marker of the new question (none on the last), its number, and the
    // user's pace.
    void finishingAQuestion_data()
    {
        QTest::addColumn<NextRow>("row");
        QTest::newRow("in the countdown") << NextRow{.ticks = 0, .before = 0, .lpDivTime = 214, .marker = 1, .question = "2", .pace = "3:34", .saved = "3:30"};
        QTest::newRow("at tick 100") << NextRow{.ticks = 100, .before = 0, .lpDivTime = 212, .marker = 1, .question = "2", .pace = "3:32", .saved = "1:50"};
        QTest::newRow("the 59th") << NextRow{.ticks = 0, .before = 58, .lpDivTime = 12600, .marker = 59, .question = "60", .pace = "3:30:00", .saved = "3:26:30"};
        QTest::newRow("on the last") << NextRow{.ticks = 0, .before = 59, .lpDivTime = 12600};
        QTest::newRow("after the paper's time") << NextRow{.ticks = 12600, .before = 0, .lpDivTime = 0};
        QTest::newRow("behind the pace") << NextRow{.ticks = 1000, .before = 3, .lpDivTime = 207, .marker = 4, .question = "5", .pace = "3:27", .saved = "-"};
    }
    void finishingAQuestion()
    {
        QFETCH(NextRow, row);
        Paper paper;
        for (int i = 0; i < row.before; ++i)
            paper.next();
        ticked(paper, row.ticks);
        const std::optional<Paper::Next> next = paper.next();
        QCOMPARE(next.has_value(), row.marker.has_value());
        QCOMPARE(paper.lpDivTime(), row.lpDivTime);
        QCOMPARE(paper.doneCnt(), row.before + (next ? 1 : 0));
        if (!next)
            return;
        QCOMPARE(next->marker, *row.marker);
        QCOMPARE(next->question, QString(row.question));
        QCOMPARE(next->pace.divTimeText, QString(row.pace));
        QCOMPARE(next->pace.savedText, QString(row.saved));
    }

    // One refresh of the per-question window: elapsed E against the frozen
    // budget D and the standard 210 seconds, bars 5 twips a second.
    void refresh_data()
    {
        QTest::addColumn<RefreshRow>("row");
        const QList<RefreshRow> rows{
            {.counter = "0", .budget = 210, .elapsed = "0", .required = left("3:30", 1050), .standard = left("3:30", 1050)},
            {.counter = "150", .budget = 180, .elapsed = "2:30", .required = left("30", 150), .standard = left("1:00", 300)},
            {.counter = "210", .budget = 180, .elapsed = "3:30", .required = over("-30", 150), .standard = left("0", 0), .cue = true},
            {.counter = "211", .budget = 180, .elapsed = "3:31", .required = over("-31", 155), .standard = over("-1", 5)},
            {.counter = "3700", .budget = 200, .elapsed = "1:01:40", .required = over("-58:20", 17500), .standard = over("-58:10", 17450)},
            {.counter = "2.5", .budget = 210, .elapsed = "2", .required = left("3:28", 1040), .standard = left("3:28", 1040)},
            {.counter = "209.5", .budget = 210, .elapsed = "3:30", .required = left("0", 0), .standard = left("0", 0), .cue = true},
            {.counter = "abc", .budget = 210, .elapsed = "0", .required = left("3:30", 1050), .standard = left("3:30", 1050)},
            {.counter = "-5", .budget = 210, .elapsed = "0", .required = left("3:35", 1075), .standard = left("3:35", 1075)},
            {.counter = "99999999999", .budget = 210, .elapsed = "596523:14:07", .required = over("-596523:10:37", INT_MAX),
             .standard = over("-596523:10:37", INT_MAX)}};
        for (const RefreshRow &row : rows)
            QTest::addRow("%s", row.counter) << row;
    }
    void refresh()
    {
        QFETCH(RefreshRow, row);
        const QuestionClock::Refresh r = QuestionClock::refresh(QString::fromLatin1(row.counter), row.budget);
        QCOMPARE(r.elapsedText, QString(row.elapsed));
        QCOMPARE(r.required.text, row.required.text);
        QCOMPARE(r.required.overrun, row.required.overrun);
        QCOMPARE(r.required.barTwips, row.required.barTwips);
        QCOMPARE(r.standard.text, row.standard.text);
        QCOMPARE(r.standard.overrun, row.standard.overrun);
        QCOMPARE(r.standard.barTwips, row.standard.barTwips);
        QCOMPARE(r.cue, row.cue ? std::optional(Cue::Milestone) : std::nullopt);
    }

    // A question's budget is frozen when its counter is written as exactly
    // zero (a text without a number counts as zero), and kept while it
    // runs; the counter advances by one a tick.
    void theBudgetFreezes_data()
    {
        QTest::addColumn<BudgetRow>("row");
        QTest::newRow("5: kept") << BudgetRow{.counter = "5", .divTime = 210, .advanced = "6"};
        QTest::newRow("0.4: kept, though it shows 0") << BudgetRow{.counter = "0.4", .divTime = 210, .advanced = "1"};
        QTest::newRow("0: a new question") << BudgetRow{.counter = "0", .divTime = 300, .advanced = "1"};
        QTest::newRow("no number: a new question") << BudgetRow{.counter = "x", .divTime = 300, .advanced = "1"};
        QTest::newRow("209") << BudgetRow{.counter = "209", .divTime = 210, .advanced = "210"};
    }
    void theBudgetFreezes()
    {
        QFETCH(BudgetRow, row);
        QuestionClock clock;
        clock.write(QStringLiteral("0"), 210);
        clock.write(QString(row.counter), 300);
        QCOMPARE(clock.divTime(), row.divTime);
        QCOMPARE(clock.counter(), QString(row.counter));
        QCOMPARE(clock.advanced(), QString(row.advanced));
    }

    // The headings: with full-width parentheses as the window opens, with
    // half-width ones from the first write; later writes leave them.
    void theHeadings()
    {
        const auto shown = [](const std::optional<QuestionClock::Headings> &h) { return h ? h->required + h->standard : QString(); };
        QuestionClock clock;
        QCOMPARE(shown(QuestionClock::initial().headings), QStringLiteral("必要処理時間（残）標準処理時間（残）"));
        QCOMPARE(shown(clock.write(QStringLiteral("0"), 210).headings), QStringLiteral("必要処理時間(残)標準処理時間(残)"));
        QCOMPARE(shown(clock.write(QStringLiteral("1"), 210).headings), QString());
    }

    // A press counts two seconds after the reading taken after the last
    // accepted one (none yet: any press counts), counted forward around
    // midnight; a reading rounds its half second to even.
    void debounce_data()
    {
        QTest::addColumn<PressRow>("row");
        QTest::newRow("1 s after") << PressRow{.previous = 100, .clock = QTime(0, 1, 41), .accepted = false};
        QTest::newRow("1.5 s, read as 2") << PressRow{.previous = 100, .clock = QTime(0, 1, 41, 500), .accepted = true};
        QTest::newRow("across midnight") << PressRow{.previous = 86399, .clock = QTime(0, 0, 1), .accepted = true};
        QTest::newRow("just across midnight") << PressRow{.previous = 86399, .clock = QTime(0, 0), .accepted = false};
        QTest::newRow("1 s from 86400") << PressRow{.previous = 86400, .clock = QTime(0, 0, 1), .accepted = false};
        QTest::newRow("0.5 s to midnight") << PressRow{.previous = 86398, .clock = QTime(23, 59, 59, 500), .accepted = true};
        QTest::newRow("a day on") << PressRow{.previous = 200, .clock = QTime(0, 3, 19), .accepted = true};
        QTest::newRow("the first") << PressRow{.clock = QTime(0, 0), .accepted = true};
    }
    void debounce()
    {
        QFETCH(PressRow, row);
        PressDebounce d;
        if (row.previous)
            d.accepted(*row.previous);
        QCOMPARE(d.press(pressReading(row.clock)), row.accepted);
        QCOMPARE(d.prevPress(), row.previous.value_or(0));
    }

    // A whole paper through the models, as the windows drive them: a
    // question done every 210 seconds for the first 59, the per-question
    // clock advanced every tick and reset at each question. Tick 12,600 ends
    // the paper with the dashes and the end's cue, and shows nothing else;
    // later ticks and presses change nothing.
    void aWholePaper()
    {
        Paper paper;
        QuestionClock clock;
        paper.start();
        clock.write(QStringLiteral("0"), paper.lpDivTime());
        int cues = 0, blackened = 0;
        std::optional<Paper::Tick> tick;
        for (int t = 1; t <= 12600; ++t) {
            tick = paper.tick();
            blackened += tick->blacken.has_value();
            if (tick->ended)
                continue;
            cues += clock.write(clock.advanced(), paper.lpDivTime()).cue.has_value();
            if (t % 210 == 0 && paper.next())
                cues += clock.write(QStringLiteral("0"), paper.lpDivTime()).cue.has_value();
        }
        QCOMPARE(blackened, 60);
        QCOMPARE(cues, 59); // each finished question reached 210 s
        QCOMPARE(paper.doneCnt(), 59);
        QCOMPARE(paper.stdQNo(), 60);
        QCOMPARE(clock.divTime(), 210);
        QCOMPARE(clock.counter(), QStringLiteral("209"));
        QVERIFY(tick->ended);
        QCOMPARE(tick->pace, std::nullopt);
        QCOMPARE(tick->figures.questionNo, QStringLiteral("--"));
        QCOMPARE(tick->figures.runLeft, QStringLiteral("-:--:--"));
        QCOMPARE(tick->cue, Cue::End);
        QCOMPARE(paper.tick(), std::nullopt);
        QCOMPARE(paper.next(), std::nullopt);
        QCOMPARE(paper.totalCnt(), 12600);
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
        FrmTak *tak = test::opened<FrmTak>();
        QWidget *button = window("FrmBtn");
        QVERIFY(button->isVisible());
        QVERIFY(button->x() > tak->x() + tak->width());
        QVERIFY(!window("FrmDur"));
        QVERIFY(test::call(tak, "CmdNext_Click"));
        QWidget *dur = window("FrmDur");
        QVERIFY(!dur->isVisible());
        QCOMPARE(dur->property("DivTime").toInt(), 214);
        auto *box = tak->findChild<QLineEdit *>(QStringLiteral("Text1"));
        box->setText(QStringLiteral("2.5"));
        QCOMPARE(clocks(tak), QStringLiteral("Timer1 2 off|Timer2 1000 on"));
        QVERIFY(test::fire(tak, "Timer2"));
        QCOMPARE(texts(tak, "Label1"), QStringLiteral("②"));
        QVERIFY(test::fire(tak, "Timer2", 2));
        QCOMPARE(clocks(tak), QStringLiteral("Timer1 1000 on|Timer2 1000 off"));
        QCOMPARE(desktop.played, QStringList({"s01.wav", "s01.wav", "s01.wav", "s03.wav"}));
        QCOMPARE(test::shown(tak, "Picture1 Picture2"), QStringLiteral("01"));
        QVERIFY(dur->isVisible());
        QVERIFY(dur->y() > tak->y() + tak->height());
        QCOMPARE(dur->property("DivTime").toInt(), 214);
        QCOMPARE(texts(dur, "LabelDurTime LabelEachTime2 LabelTitle2 LabelTitle"),
                 QStringLiteral("0|3:34|必要処理時間(残)|標準処理時間(残)"));
        box->setText(QStringLiteral("5"));
        QCOMPARE(clocks(tak), QStringLiteral("Timer1 5 on|Timer2 1000 off"));
        QVERIFY(test::fire(tak, "Timer1"));
        QCOMPARE(tak->property("TotalCnt").toInt(), 1);
        QTest::keyClicks(dur, QStringLiteral("0")); // out of the keyboard's reach
        QCOMPARE(dur->property("TextEcnt").toString(), QStringLiteral("1"));
    }

    // The counter's change handler, called by a tool before anything was
    // written, loads the window without showing it and shows the counter as
    // a question's first write does.
    void theCounterChangedFirst()
    {
        auto *dur = formRef<FrmDur>().get();
        QVERIFY(!dur->isLoaded());
        QVERIFY(test::call(dur, "TextEcnt_Change"));
        QVERIFY(dur->isLoaded());
        QVERIFY(!dur->isVisible());
        QCOMPARE(texts(dur, "LabelDurTime LabelTitle2 LabelTitle"), QStringLiteral("0|必要処理時間(残)|標準処理時間(残)"));
    }

    // Each kind of change a tick or a finished question brings is shown:
    // a blackened cell, a marker in front, the figures, and the
    // per-question window's counter, bars and cue; and the paper's end.
    void aPaperShown()
    {
        test::FakeDesktop desktop;
        FrmTak *tak = test::opened<FrmTak>();
        QVERIFY(test::call(tak, "Timer2_Timer", 3));
        QWidget *dur = window("FrmDur");
        QCOMPARE(dur->property("DivTime").toInt(), 210);
        desktop.played.clear();
        QVERIFY(test::call(tak, "Timer1_Timer"));
        QVERIFY(black(tak, 0));
        QVERIFY(markerShown(tak, 0));
        QCOMPARE(texts(tak, "LabelEachTime LabelTotalTime"), QStringLiteral("3:29|3:29:59"));
        QCOMPARE(dur->property("TextEcnt").toString(), QStringLiteral("1"));
        QVERIFY(test::call(tak, "Timer1_Timer", 99));
        tak->findChild<QPushButton *>(QStringLiteral("CmdNext"))->click(); // hidden, yet clickable by tools
        QVERIFY(markerShown(tak, 1));
        QCOMPARE(texts(tak, "LabelQNo2 LabelEachTime2 LabelSavedTime"), QStringLiteral("2|3:32|1:50"));
        QVERIFY(grown(tak, "LabelSavedTime")); // labels wider than their box grow
        QVERIFY(grown(tak, "Label2(7)"));
        QCOMPARE(dur->property("TextEcnt").toString(), QStringLiteral("0"));
        QCOMPARE(dur->property("DivTime").toInt(), 212);
        QVERIFY(test::call(tak, "Timer1_Timer", 110));
        QVERIFY(black(tak, 1));
        QVERIFY(!black(tak, 2));
        QCOMPARE(texts(tak, "LabelQNo"), QStringLiteral("2"));
        QVERIFY(test::call(tak, "Timer1_Timer", 103));
        QCOMPARE(texts(dur, "LabelDurTime LabelEachTime2 LabelEachTime"), QStringLiteral("3:33|-1|-3"));
        QCOMPARE(control(dur, QStringLiteral("LabelDiv"))->palette().color(QPalette::Window), QColor(Qt::red));
        QCOMPARE(twipsOf(control(dur, QStringLiteral("LabelDiv2"))).width(), 15);
        QCOMPARE(desktop.played, QStringList({"s02.wav"}));
        dur->setProperty("TextEcnt", QStringLiteral("3700"));
        QVERIFY(grown(dur, "LabelEachTime2"));
        QVERIFY(test::call(tak, "Timer1_Timer", 12600 - 313)); // the paper's end: its clock stops, it asks to be seen
        QVERIFY(test::clocks(tak).startsWith("Timer1 1000 off"));
        QCOMPARE(desktop.attention, QStringList({"FrmTak"}));
        QCOMPARE(desktop.played.last(), QStringLiteral("s04.wav"));
        QVERIFY(!dur->isVisible());
        // After the whole paper every placed control is where its twips say:
        // the property outside tools read, the program's own record and the
        // geometry agree (a label grown to its text keeps its box inside).
        int placed = 0;
        for (const char *name : {"FrmTak", "FrmBtn", "FrmDur"})
            for (const QWidget *control : window(name)->findChildren<QWidget *>()) {
                if (const QVariant twips = control->property("twips"); twips.isValid() && ++placed) {
                    QCOMPARE(twipsOf(control), twips.toRect());
                    const QRect designed = twipsToPx(twips.toRect()), shown = control->geometry();
                    QVERIFY2(shown == designed || (qobject_cast<const QLabel *>(control) && shown.contains(designed)
                                                   && shown.top() == designed.top() && shown.height() == designed.height()),
                             qPrintable(control->objectName()));
                }
            }
        QCOMPARE(placed, 150); // as the object model lists them
    }

    // The Done button: Enter or a click counts at most once in two seconds,
    // with a beep; a window-system close leaves it; the per-question window
    // may be closed and the paper goes on.
    void theDoneButton()
    {
        test::FakeDesktop desktop;
        FrmTak *tak = test::opened<FrmTak>();
        QVERIFY(test::call(tak, "Timer2_Timer", 3));
        QWidget *button = window("FrmBtn"), *dur = window("FrmDur");
        auto *done = button->findChild<QPushButton *>(QStringLiteral("CmdDone"));
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
        QTRY_COMPARE(activated.count(), 1); // the window system activates it; the Done button comes to the front
        QEvent otherChange(QEvent::FontChange);
        QCoreApplication::sendEvent(dur, &otherChange);
        QCOMPARE(activated.count(), 1);
        test::closeFromWindowSystem(button);
        test::closeFromWindowSystem(dur);
        QVERIFY(button->isVisible());
        QVERIFY(!dur->isVisible());
        QVERIFY(test::call(tak, "Timer1_Timer", 10));
        QCOMPARE(dur->property("TextEcnt").toString(), QStringLiteral("10"));
        desktop.now = QTime(11, 0);
        QVERIFY(test::call(button, "CmdDone_Click"));
        QCOMPARE(tak->property("DoneCnt").toInt(), 3);
        QCOMPARE(dur->property("TextEcnt").toString(), QStringLiteral("0"));
    }

};

QTEST_MAIN(TestMultipleChoice)
#include "tst_multiple_choice.moc"
