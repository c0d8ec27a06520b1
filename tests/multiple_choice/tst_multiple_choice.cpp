// The multiple-choice paper: its pace arithmetic, then the pacing window,
// the Done button and the per-question window driven as the user would.

#include "app/frmmain.h"
#include "common/periodictimer.h"
#include "multiple_choice/debounce.h"
#include "multiple_choice/frmbtn.h"
#include "multiple_choice/frmdur.h"
#include "multiple_choice/frmtak.h"
#include "multiple_choice/pace.h"
#include "multiple_choice/processing.h"
#include "support/testsupport.h"
#include "widgets/controls.h"
#include "widgets/formref.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <climits>

using namespace orv;
using test::texts;
using test::timer;

class TestMultipleChoice : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { discardAllForms(); }

    void savedTime_data()
    {
        QTest::addColumn<int>("totalCnt");
        QTest::addColumn<int>("doneCnt");
        QTest::addColumn<QString>("expected"); // LpDivTime|DivTimeText|advantage
        QTest::newRow("start") << 0 << 0 << "210|3:30|-";
        QTest::newRow("one done at 100") << 100 << 1 << "212|3:32|1:50";
        QTest::newRow("half to even up") << 1 << 58 << "6300|1:45:00|3:22:59";
        QTest::newRow("half to even down") << 3 << 58 << "6298|1:44:58|3:22:57";
        QTest::newRow("all done at once") << 0 << 59 << "12600|3:30:00|3:26:30";
        QTest::newRow("half a second left") << 12570 << 0 << "0|0|-";
        QTest::newRow("advantage exactly 0") << 210 << 1 << "210|3:30|-";
        QTest::newRow("no question left") << 0 << 60 << "0|0|3:30:00";
        QTest::newRow("far outside") << INT_MIN << 59 << QString::number(INT_MAX) + "|596523:14:07|596526:40:38";
    }
    void savedTime()
    {
        QFETCH(int, totalCnt);
        QFETCH(int, doneCnt);
        QFETCH(QString, expected);
        const pace::SavedTime s = pace::GetSavedTime(totalCnt, doneCnt);
        QCOMPARE(QStringList({QString::number(s.lpDivTime), s.divTimeText, s.savedText}).join(u'|'), expected);
    }

    // The per-question window's rows: elapsed|required|standard, with the
    // bars' colour (r for red) and width in twips.
    void refresh_data()
    {
        QTest::addColumn<QString>("counter");
        QTest::addColumn<int>("divTime");
        QTest::addColumn<QString>("expected");
        QTest::newRow("start") << "0" << 210 << "0|3:30 b1050|3:30 b1050";
        QTest::newRow("95 of 250") << "95" << 250 << "1:35|2:35 b775|1:55 b575";
        QTest::newRow("at 210") << "210" << 180 << "3:30|-30 r150|0 b0 cue";
        QTest::newRow("overrun") << "3700" << 200 << "1:01:40|-58:20 r17500|-58:10 r17450";
        QTest::newRow("budget met") << "180" << 180 << "3:00|0 b0|30 b150";
        QTest::newRow("2.5 rounds to 2") << "2.5" << 210 << "2|3:28 b1040|3:28 b1040";
        QTest::newRow("209.5 rounds to 210") << "209.5" << 210 << "3:30|0 b0|0 b0 cue";
        QTest::newRow("no number") << "abc" << 210 << "0|3:30 b1050|3:30 b1050";
        QTest::newRow("negative") << "-5" << 210 << "0|3:35 b1075|3:35 b1075";
        QTest::newRow("huge") << QString(400, u'9') << 210
                              << "596523:14:07|-596523:10:37 r2147483647|-596523:10:37 r2147483647";
    }
    void refresh()
    {
        QFETCH(QString, counter);
        QFETCH(int, divTime);
        QFETCH(QString, expected);
        const processing::Refresh r = processing::refresh(counter, divTime);
        auto row = [](const processing::Row &row) {
            return row.text + (row.overrun ? " r" : " b") + QString::number(row.barTwips);
        };
        QCOMPARE(r.elapsedText + u'|' + row(r.required) + u'|' + row(r.standard) + (r.cue ? " cue" : ""), expected);
    }

    // Each row: the reading of the last accepted press (-1 for none), the
    // clock at a new press, and whether it counts.
    void debounce_data()
    {
        QTest::addColumn<int>("previous");
        QTest::addColumn<QTime>("clock");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("first press") << -1 << QTime(13, 0) << true;
        QTest::newRow("first, at midnight") << -1 << QTime(0, 0) << true;
        QTest::newRow("one second") << 100 << QTime(0, 1, 41) << false;
        QTest::newRow("1.5 s reads 2") << 100 << QTime(0, 1, 41, 500) << true;
        QTest::newRow("100.5 reads 100") << 98 << QTime(0, 1, 40, 500) << true;
        QTest::newRow("101.4 reads 101") << 100 << QTime(0, 1, 41, 400) << false;
        QTest::newRow("an hour") << 100 << QTime(1, 1, 40) << true;
        QTest::newRow("across midnight, 2 s") << 86399 << QTime(0, 0, 1) << true;
        QTest::newRow("across midnight, 1 s") << 86399 << QTime(0, 0) << false;
        QTest::newRow("from the last half second") << 86400 << QTime(0, 0, 2) << true;
        QTest::newRow("from the last half second, 1 s") << 86400 << QTime(0, 0, 1) << false;
        QTest::newRow("hours after midnight") << 80000 << QTime(8, 20) << true;
    }
    void debounce()
    {
        QFETCH(int, previous);
        QFETCH(QTime, clock);
        QFETCH(bool, accepted);
        PressDebounce d;
        if (previous >= 0) {
            QVERIFY(d.press(previous));
            d.accepted(previous);
        }
        QCOMPARE(d.press(pressReading(clock)), accepted);
        QCOMPARE(d.prevPress(), qMax(previous, 0));
        QCOMPARE(pressReading(QTime(23, 59, 59, 500)), 86400);
    }

    // Opening: the cover counts down with its cues while the Done button
    // floats 50 twips to the right, bottom edges level; at the start the
    // per-question window shows 50 twips below, timing the first question.
    void openingAndStart()
    {
        test::CueRecorder cues;
        FrmTak *tak = openPaper();
        QVERIFY(!formRef<FrmMain>()->isVisible());
        FrmBtn *button = formRef<FrmBtn>().peek();
        QVERIFY(button && button->isVisible());
        QCOMPARE(button->frameGeometry().left(), tak->frameGeometry().right() + 1 + 3);
        QCOMPARE(button->frameGeometry().bottom(), tak->frameGeometry().bottom());
        QCOMPARE(test::shown(tak, "Picture1 CmdNext"), QStringLiteral("10"));
        QVERIFY(formRef<FrmDur>().isEmpty());
        QVERIFY(!timer(tak, "Timer1")->isEnabled());
        QStringList captions;
        for (int i = 0; i < 3; ++i) {
            captions << texts(tak, "Label1");
            tak->Timer2_Timer();
        }
        QCOMPARE(captions, QStringList({"③", "②", "①"}));
        QCOMPARE(cues.played(), QStringList({"s01.wav", "s01.wav", "s01.wav", "s03.wav"}));
        QCOMPARE(texts(tak, "Label1"), QString());
        QCOMPARE(test::shown(tak, "Picture1 Picture2"), QStringLiteral("01"));
        QCOMPARE(tak->property("CountdownStep").toInt(), 0);
        QVERIFY(!timer(tak, "Timer2")->isEnabled());
        QVERIFY(timer(tak, "Timer1")->isEnabled());
        QCOMPARE(timer(tak, "Timer1")->interval(), 1000);
        FrmDur *dur = formRef<FrmDur>().peek();
        QVERIFY(dur && dur->isVisible());
        QCOMPARE(dur->frameGeometry().topLeft(), tak->frameGeometry().bottomLeft() + QPoint(0, 1 + 3));
        QCOMPARE(dur->property("TextEcnt").toString(), QStringLiteral("0"));
        QCOMPARE(dur->property("DivTime").toInt(), 210);
        QCOMPARE(texts(dur, "LabelDurTime LabelEachTime2 LabelEachTime LabelTitle2"),
                 QStringLiteral("0|3:30|3:30|必要処理時間(残)"));
    }

    // The clocks are wired to their handlers: let them fire.
    void theClocksTick()
    {
        test::CueRecorder cues;
        FrmTak *tak = openPaper(false);
        timer(tak, "Timer2")->setInterval(5);
        QTRY_VERIFY(timer(tak, "Timer1")->isEnabled());
        tak->findChild<QLineEdit *>(QStringLiteral("Text1"))->setText(QStringLiteral("5"));
        QTRY_VERIFY(tak->property("TotalCnt").toInt() >= 3);
        QCOMPARE(formRef<FrmDur>()->property("TextEcnt").toInt(), tak->property("TotalCnt").toInt());
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
        test::CueRecorder cues;
        test::FakeDesktop desktop;
        FrmTak *tak = startedPaper();
        cues.clear();
        for (int t = 1; t <= ticks; ++t) {
            tak->Timer1_Timer();
            if (t % 300 == 100 && t <= 1300)
                tak->CmdNext_Click();
        }
        FrmDur *dur = formRef<FrmDur>().peek();
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
        const QString bar = question.section(u'|', 2).startsWith(u'-') ? "#ff0000" : "#0000ff";
        QCOMPARE(dur->findChild<QWidget *>(QStringLiteral("LabelDiv2"))->palette().color(QPalette::Window).name(), bar);
        if (ticks < 12600)
            return;
        // s02 whenever a question reached 210 s: all but the first.
        QCOMPARE(cues.played(), QStringList({"s02.wav", "s02.wav", "s02.wav", "s02.wav", "s02.wav", "s04.wav"}));
        QCOMPARE(desktop.attention, QStringList({"FrmTak"}));
        QVERIFY(!timer(tak, "Timer1")->isEnabled());
        QVERIFY(!formRef<FrmBtn>()->isVisible() && !dur->isVisible() && tak->isVisible());
        // After the end nothing counts.
        tak->Timer1_Timer();
        tak->CmdNext_Click();
        QCOMPARE(texts(tak, "LabelQNo2 LabelTotalTime"), QStringLiteral("6|-:--:--"));
        QCOMPARE(tak->property("TotalCnt").toInt(), 12600);
        QCOMPARE(cues.played().size(), 6);
    }

    // Finished before the start, questions count and take their budget;
    // the last question has no next one.
    void pressesBeforeTheStartAndOnTheLastQuestion()
    {
        test::CueRecorder cues;
        FrmTak *tak = openPaper();
        tak->CmdNext_Click();
        QCOMPARE(texts(tak, "LabelQNo2 LabelEachTime2 LabelSavedTime"), QStringLiteral("2|3:34|3:30"));
        FrmDur *dur = formRef<FrmDur>().peek();
        QVERIFY(dur->isLoaded() && !dur->isVisible());
        QCOMPARE(dur->property("DivTime").toInt(), 214);
        tak->Timer2_Timer();
        tak->Timer2_Timer();
        tak->Timer2_Timer();
        QCOMPARE(dur->property("DivTime").toInt(), 214);
        for (int i = 0; i < 60; ++i)
            tak->CmdNext_Click();
        QCOMPARE(texts(tak, "LabelQNo2 LabelEachTime2 LabelSavedTime"), QStringLiteral("60|3:30:00|3:26:30"));
        QCOMPARE(tak->property("DoneCnt").toInt(), 59);
    }

    // Only a counter of exactly zero starts a question and freezes its
    // budget; the counter is out of the keyboard's reach.
    void onlyAZeroCounterStartsAQuestion()
    {
        test::CueRecorder cues;
        FrmTak *tak = startedPaper();
        FrmDur *dur = formRef<FrmDur>().peek();
        test::call(tak, "Timer1_Timer", 60);
        QTest::keyClicks(dur, QStringLiteral("0"));
        QCOMPARE(dur->property("TextEcnt").toString(), QStringLiteral("60"));
        dur->setTextEcnt(QStringLiteral("0.4"));
        QCOMPARE(texts(dur, "LabelDurTime"), QStringLiteral("0"));
        QCOMPARE(dur->property("DivTime").toInt(), 210);
        dur->setProperty("TextEcnt", QStringLiteral("0"));
        QCOMPARE(dur->property("DivTime").toInt(), 209);
    }

    void intervalBox_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<int>("interval");
        QTest::newRow("100") << "100" << 100;
        QTest::newRow("half to even") << "2.5" << 2;
        QTest::newRow("letters stop") << "abc" << 0;
        QTest::newRow("negative stops") << "-5" << -5;
        QTest::newRow("huge") << QString(50, u'9') << INT_MAX;
    }
    // The box sets the pacing clock's interval, never its enabled flag; a
    // value typed during the countdown gives way to 1000 at the start.
    void intervalBox()
    {
        QFETCH(QString, entry);
        QFETCH(int, interval);
        test::CueRecorder cues;
        FrmTak *tak = openPaper();
        auto *box = tak->findChild<QLineEdit *>(QStringLiteral("Text1"));
        box->setText(entry);
        QCOMPARE(timer(tak, "Timer1")->interval(), interval);
        QVERIFY(!timer(tak, "Timer1")->isEnabled());
        test::call(tak, "Timer2_Timer", 3);
        QCOMPARE(timer(tak, "Timer1")->interval(), 1000);
        box->setText(entry + u' ');
        QCOMPARE(timer(tak, "Timer1")->interval(), interval);
        QVERIFY(timer(tak, "Timer1")->isEnabled());
        QCOMPARE(timer(tak, "Timer1")->isTicking(), interval > 0);
    }

    // The Done button: Enter or a click counts at most once in two seconds,
    // with a beep; a window-system close leaves it; the per-question window
    // may be closed and the paper goes on.
    void theDoneButton()
    {
        test::CueRecorder cues;
        test::FakeDesktop desktop;
        FrmTak *tak = startedPaper();
        FrmBtn *button = formRef<FrmBtn>().peek();
        test::LogCapture shell("orvalen.shell");
        desktop.now = QTime(10, 0, 0, 200);
        QTest::keyClick(button, Qt::Key_Return);
        desktop.now = QTime(10, 0, 1);
        QTest::keyClick(button, Qt::Key_Return);
        QCOMPARE(button->property("ThisPress").toInt(), 36001);
        QCOMPARE(tak->property("DoneCnt").toInt(), 1);
        desktop.now = QTime(10, 0, 2);
        QTest::mouseClick(button->findChild<QPushButton *>(QStringLiteral("CmdDone")), Qt::LeftButton);
        QCOMPARE(tak->property("DoneCnt").toInt(), 2);
        QCOMPARE(button->property("PrevPress").toInt(), 36002);
        QCOMPARE(shell.lines(), QStringList({"beep", "beep"}));

        test::closeFromWindowSystem(button);
        QVERIFY(button->isVisible());
        FrmDur *dur = formRef<FrmDur>().peek();
        test::closeFromWindowSystem(dur);
        QVERIFY(!dur->isVisible());
        test::call(tak, "Timer1_Timer", 10);
        QCOMPARE(dur->property("TextEcnt").toString(), QStringLiteral("10"));
        desktop.now = QTime(11, 0);
        button->CmdDone_Click();
        QCOMPARE(tak->property("DoneCnt").toInt(), 3);
        QCOMPARE(dur->property("TextEcnt").toString(), QStringLiteral("0"));
        QVERIFY(!dur->isVisible());
    }

private:
    FrmTak *openPaper(bool stepped = true)
    {
        formRef<FrmMain>()->show();
        formRef<FrmMain>()->CmdTak_Click();
        FrmTak *tak = formRef<FrmTak>().peek();
        timer(tak, "Timer2")->blockSignals(stepped); // the tests step the clocks
        timer(tak, "Timer1")->blockSignals(stepped);
        return tak;
    }
    FrmTak *startedPaper()
    {
        FrmTak *tak = openPaper();
        test::call(tak, "Timer2_Timer", 3);
        return tak;
    }
};

QTEST_MAIN(TestMultipleChoice)
#include "tst_multiple_choice.moc"
