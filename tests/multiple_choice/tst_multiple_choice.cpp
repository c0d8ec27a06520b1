// The multiple-choice paper: its pace arithmetic, then the pacing window,
// the Done button and the per-question window driven as the user would.

#include "app/frmmain.h"
#include "common/periodictimer.h"
#include "multiple_choice/debounce.h"
#include "multiple_choice/pace.h"
#include "multiple_choice/processing.h"
#include "support/testsupport.h"
#include "widgets/controls.h"
#include "widgets/formref.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <climits>

using namespace orv;
using test::clocks;
using test::texts;

class TestMultipleChoice : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { discardAllForms(); }

    // LpDivTime|DivTimeText|advantage after totalCnt seconds with doneCnt
    // questions done, and elapsed|required|standard of the per-question
    // window for a counter and a budget (bars r for red, b for blue, with
    // their width in twips).
    void arithmetic()
    {
        const QList<std::tuple<int, int, const char *>> saved{
            {1, 58, "6300|1:45:00|3:22:59"}, {3, 58, "6298|1:44:58|3:22:57"}, {0, 59, "12600|3:30:00|3:26:30"},
            {12570, 0, "0|0|-"}, {0, 60, "0|0|3:30:00"}, {INT_MIN, 59, "2147483647|596523:14:07|596526:40:38"}};
        for (const auto &[totalCnt, doneCnt, expected] : saved) {
            const pace::SavedTime s = pace::GetSavedTime(totalCnt, doneCnt);
            QCOMPARE(QStringList({QString::number(s.lpDivTime), s.divTimeText, s.savedText}).join(u'|'), expected);
        }
        const QList<std::tuple<QString, int, const char *>> refresh{
            {"210", 180, "3:30|-30 r150|0 b0 cue"}, {"3700", 200, "1:01:40|-58:20 r17500|-58:10 r17450"},
            {"2.5", 210, "2|3:28 b1040|3:28 b1040"}, {"209.5", 210, "3:30|0 b0|0 b0 cue"},
            {"abc", 210, "0|3:30 b1050|3:30 b1050"}, {"-5", 210, "0|3:35 b1075|3:35 b1075"},
            {QString(400, u'9'), 210, "596523:14:07|-596523:10:37 r2147483647|-596523:10:37 r2147483647"}};
        for (const auto &[counter, divTime, expected] : refresh) {
            const processing::Refresh r = processing::refresh(counter, divTime);
            auto row = [](const processing::Row &row) {
                return row.text + (row.overrun ? " r" : " b") + QString::number(row.barTwips);
            };
            QCOMPARE(r.elapsedText + u'|' + row(r.required) + u'|' + row(r.standard) + (r.cue ? " cue" : ""), expected);
        }
    }

    // A press counts two seconds after the reading taken after the last
    // accepted one, counted forward around midnight; a reading rounds its
    // half second to even. Each row: that reading, the clock at a new press,
    // and whether it counts.
    void debounce()
    {
        const QList<std::tuple<int, QTime, bool>> rows{
            {100, QTime(0, 1, 41), false}, {100, QTime(0, 1, 41, 500), true}, {98, QTime(0, 1, 40, 500), true},
            {100, QTime(0, 1, 41, 400), false}, {86399, QTime(0, 0, 1), true}, {86399, QTime(0, 0), false},
            {86400, QTime(0, 0, 2), true}, {86400, QTime(0, 0, 1), false}, {100, QTime(23, 0), true}};
        for (const auto &[previous, clock, accepted] : rows) {
            PressDebounce d;
            QVERIFY(d.press(pressReading(QTime(12, 0))) && d.press(0)); // a fresh button takes any press
            d.accepted(previous);
            QCOMPARE(d.press(pressReading(clock)), accepted);
        }
        QCOMPARE(pressReading(QTime(23, 59, 59, 500)), 86400);
    }

    // The cover counts down with its cues by its wired clock while the Done
    // button floats beside the window; at the start the per-question window
    // shows, timing the first question. The box sets the pacing clock's
    // interval; typed during the countdown it gives way to 1000 at the start.
    void openingAndStart()
    {
        test::FakeDesktop desktop;
        formRef<FrmMain>()->show();
        formRef<FrmMain>()->CmdTak_Click();
        QWidget *tak = window("FrmTak"), *button = window("FrmBtn");
        QCOMPARE(test::shown(tak, "Picture1 CmdNext") + texts(tak, "Label1"), QStringLiteral("10③"));
        // The cells stand in three even rows of twenty, evenly spaced but for
        // a wider gap after the tenth column.
        const auto cell = [tak](int i) { return twipsOf(tak->findChild<QWidget *>(indexedName("LabelQ", i))); };
        QString gaps;
        for (int i = 0; i < 60; ++i) {
            QVERIFY(cell(i).left() == cell(i % 20).left() && cell(i).top() == cell(i / 20 * 20).top());
            gaps += i % 20 == 19 ? u'|' : cell(i + 1).left() - cell(i).left() > cell(1).left() - cell(0).left() ? u'W' : u'.';
        }
        QCOMPARE(gaps, (QString(9, u'.') + u'W' + QString(9, u'.') + u'|').repeated(3));
        QCOMPARE(cell(40).top() - cell(20).top(), cell(20).top() - cell(0).top());
        QVERIFY(!window("FrmDur") && button->isVisible());
        auto *box = tak->findChild<QLineEdit *>(QStringLiteral("Text1"));
        box->setText(QStringLiteral("2.5"));
        QCOMPARE(clocks(tak), QStringLiteral("Timer1 2 off|Timer2 1000 on"));
        QStringList captions;
        test::timer(tak, "Timer2")->setInterval(5);
        connect(test::timer(tak, "Timer2"), &PeriodicTimer::timeout, tak, [&] { captions << texts(tak, "Label1"); });
        QTRY_COMPARE(clocks(tak), QStringLiteral("Timer1 1000 on|Timer2 5 off"));
        QCOMPARE(captions, QStringList({"②", "①", ""}));
        QCOMPARE(desktop.played, QStringList({"s01.wav", "s01.wav", "s01.wav", "s03.wav"}));
        QCOMPARE(test::shown(tak, "Picture1 Picture2"), QStringLiteral("01"));
        QCOMPARE(tak->property("CountdownStep").toInt(), 0);
        QWidget *dur = window("FrmDur");
        QCOMPARE(dur->property("DivTime").toInt(), 210);
        QCOMPARE(texts(dur, "LabelDurTime LabelEachTime2 LabelEachTime LabelTitle2"),
                 QStringLiteral("0|3:30|3:30|必要処理時間(残)"));
        box->setText(QStringLiteral("5"));
        QTRY_VERIFY(tak->property("TotalCnt").toInt() >= 3);
        QCOMPARE(dur->property("TextEcnt").toInt(), tak->property("TotalCnt").toInt());
    }

    // A paper with questions finished after ticks 100, 400, 700, 1000 and
    // 1300. Each row: the pacing window's QNo|EachTime|TotalTime|QNo2|
    // EachTime2|SavedTime, the per-question window's figures, and how many
    // grid cells the standard pace has blackened.
    void aPaper_data()
    {
        QTest::addColumn<int>("ticks");
        QTest::addColumn<QString>("pacing");
        QTest::addColumn<QString>("question");
        QTest::addColumn<int>("black");
        QTest::newRow("1") << 1 << "1|3:29|3:29:59|1|3:30|-" << "1|3:29|3:29" << 1;
        QTest::newRow("99") << 99 << "1|1:51|3:28:21|1|3:28|-" << "1:39|1:51|1:51" << 1;
        QTest::newRow("100, done") << 100 << "1|1:50|3:28:20|2|3:32|1:50" << "0|3:32|3:30" << 1;
        QTest::newRow("209") << 209 << "1|1|3:26:31|2|3:30|1" << "1:49|1:43|1:41" << 1;
        QTest::newRow("210") << 210 << "2|3:30|3:26:30|2|3:30|-" << "1:50|1:42|1:40" << 2;
        QTest::newRow("650") << 650 << "4|3:10|3:19:10|3|3:26|-" << "4:10|-40|-40" << 4;
        QTest::newRow("12599") << 12599 << "60|1|1|6|0|-" << "3:08:19|-3:04:54|-3:04:49" << 60;
        QTest::newRow("the end") << 12600 << "--|--:--|-:--:--|6|0|-" << "3:08:19|-3:04:54|-3:04:49" << 60;
    }
    void aPaper()
    {
        QFETCH(int, ticks);
        QFETCH(QString, pacing);
        QFETCH(QString, question);
        QFETCH(int, black);
        test::FakeDesktop desktop;
        QWidget *tak = startedPaper();
        desktop.played.clear();
        for (int t = 1; t <= ticks; ++t) {
            test::call(tak, "Timer1_Timer");
            if (t % 300 == 100 && t <= 1300)
                test::call(tak, "CmdNext_Click");
        }
        QWidget *dur = window("FrmDur");
        QCOMPARE(texts(tak, "LabelQNo LabelEachTime LabelTotalTime LabelQNo2 LabelEachTime2 LabelSavedTime"), pacing);
        QCOMPARE(texts(dur, "LabelDurTime LabelEachTime2 LabelEachTime"), question);
        int blackCells = 0;
        QString markers;
        for (int i = 0; i < 60; ++i) {
            auto *cell = tak->findChild<QWidget *>(indexedName("LabelQ", i));
            blackCells += cell->palette().color(QPalette::Window) == Qt::black;
            const QObjectList &row = cell->parent()->children();
            markers += row.indexOf(tak->findChild<QWidget *>(indexedName("LabelQ2", i))) > row.indexOf(cell) ? u'1' : u'0';
        }
        QCOMPARE(blackCells, black);
        const int done = tak->property("DoneCnt").toInt();
        QCOMPARE(markers, QString(done + 1, u'1') + QString(59 - done, u'0'));
        if (ticks < 12600)
            return;
        // s02 whenever a question reached 210 s: all but the first.
        QCOMPARE(desktop.played, QStringList({"s02.wav", "s02.wav", "s02.wav", "s02.wav", "s02.wav", "s04.wav"}));
        QCOMPARE(desktop.attention, QStringList({"FrmTak"}));
        QCOMPARE(clocks(tak), QStringLiteral("Timer1 1000 off|Timer2 1000 off"));
        QVERIFY(!window("FrmBtn")->isVisible() && !dur->isVisible() && tak->isVisible());
        test::run(tak, QStringLiteral("Timer1_Timer CmdNext_Click")); // after the end nothing counts
        QCOMPARE(texts(tak, "LabelQNo2 LabelTotalTime"), QStringLiteral("6|-:--:--"));
        QCOMPARE(tak->property("TotalCnt").toInt(), 12600);
        QCOMPARE(desktop.played.size(), 6);
    }

    // Finished before the start, questions count and take their budget;
    // the last question has no next one. Only a counter of exactly zero
    // starts a question and freezes its budget; the counter is out of the
    // keyboard's reach.
    void questionsAndTheirBudgets()
    {
        test::FakeDesktop desktop;
        QWidget *tak = openPaper();
        test::call(tak, "CmdNext_Click");
        QCOMPARE(texts(tak, "LabelQNo2 LabelEachTime2 LabelSavedTime"), QStringLiteral("2|3:34|3:30"));
        QWidget *dur = window("FrmDur");
        QVERIFY(dur->property("DivTime") == 214 && !dur->isVisible());
        test::run(tak, QStringLiteral("Timer2_Timer*3 Timer1_Timer*60"));
        QCOMPARE(dur->property("DivTime").toInt(), 214);
        QTest::keyClicks(dur, QStringLiteral("0"));
        QCOMPARE(dur->property("TextEcnt").toString(), QStringLiteral("60"));
        dur->setProperty("TextEcnt", QStringLiteral("0.4"));
        QCOMPARE(texts(dur, "LabelDurTime") + QString::number(dur->property("DivTime").toInt()), QStringLiteral("0214"));
        dur->setProperty("TextEcnt", QStringLiteral("0"));
        QCOMPARE(dur->property("DivTime").toInt(), 213); // (12600 - 60) / 59, rounded
        test::call(tak, "CmdNext_Click", 60);
        QCOMPARE(texts(tak, "LabelQNo2 LabelEachTime2 LabelSavedTime"), QStringLiteral("60|3:29:00|3:25:30"));
        QCOMPARE(tak->property("DoneCnt").toInt(), 59);
    }

    // The Done button: Enter or a click counts at most once in two seconds,
    // with a beep; a window-system close leaves it; the per-question window
    // may be closed and the paper goes on.
    void theDoneButton()
    {
        test::FakeDesktop desktop;
        QWidget *tak = startedPaper(), *button = window("FrmBtn"), *dur = window("FrmDur");
        auto *done = button->findChild<QPushButton *>(QStringLiteral("CmdDone"));
        QVERIFY(done->isDefault() && button->focusWidget() == done);
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
        test::closeFromWindowSystem(button);
        test::closeFromWindowSystem(dur);
        QVERIFY(button->isVisible() && !dur->isVisible());
        test::call(tak, "Timer1_Timer", 10);
        QCOMPARE(dur->property("TextEcnt").toString(), QStringLiteral("10"));
        desktop.now = QTime(11, 0);
        test::call(button, "CmdDone_Click");
        QCOMPARE(tak->property("DoneCnt").toInt(), 3);
        QCOMPARE(dur->property("TextEcnt").toString(), QStringLiteral("0"));
        QVERIFY(!dur->isVisible());
    }

private:
    static QWidget *window(const char *name) { return test::window(QLatin1String(name)); }
    // The tests step the clocks.
    static QWidget *openPaper()
    {
        formRef<FrmMain>()->show();
        formRef<FrmMain>()->CmdTak_Click();
        QWidget *tak = window("FrmTak");
        test::timer(tak, "Timer2")->blockSignals(true);
        test::timer(tak, "Timer1")->blockSignals(true);
        return tak;
    }
    static QWidget *startedPaper()
    {
        QWidget *tak = openPaper();
        test::call(tak, "Timer2_Timer", 3);
        return tak;
    }
};

QTEST_MAIN(TestMultipleChoice)
#include "tst_multiple_choice.moc"
