// The kitchen timer: presets, typed minutes or a time of day, the alarm
// with its overtime count and mute box.

#include "app/frmmain.h"
#include "common/periodictimer.h"
#include "countdown/countdownlogic.h"
#include "countdown/frmmen.h"
#include "support/testsupport.h"
#include "widgets/controls.h"
#include "widgets/formref.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <climits>

using namespace orv;
using test::texts;
using test::timer;

class TestCountdown : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { discardAllForms(); }

    void readingATimeOfDay_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("target"); // empty: not a time of day
        const QList<std::pair<const char *, const char *>> rows{
            {"7:30", "07:30"}, {"07:30", "07:30"}, {"19:05:40", "19:05"}, {" 7 : 30 ", "07:30"},
            {"0:00", "00:00"}, {"23:59:59", "23:59"}, {"24:00", ""}, {"7:60", ""}, {"7:30:60", ""},
            {"ab:cd", ""}, {"1:2:3:4", ""}, {":", ""}, {"007:30", ""}, {"7:", ""}, {"7:30 PM", ""},
            {"７:３０", ""}, {"+7:30", ""}, {"7", ""}};
        for (const auto &[entry, target] : rows)
            QTest::addRow("%s", entry) << QString::fromUtf8(entry) << QString(target);
    }
    void readingATimeOfDay()
    {
        QFETCH(QString, entry);
        QFETCH(QString, target);
        QCOMPARE(countdown::readTimeOfDay(entry).value_or(QString()), target);
        QCOMPARE(countdown::saturatingIncrement(INT_MAX), INT_MAX);
    }

    // The keypad in front, its middle key the default; nothing runs.
    void opening()
    {
        FrmMen *men = open();
        QWidget *front = nullptr;
        for (QObject *child : men->children())
            front = child->isWidgetType() ? static_cast<QWidget *>(child) : front;
        QCOMPARE(front->objectName(), QStringLiteral("Picture2"));
        QCOMPARE(test::shown(men, "Picture2 TxtTime Label4 Label3 Label2 Check1"), QStringLiteral("100000"));
        QCOMPARE(men->findChild<QLineEdit *>(QStringLiteral("TxtTime"))->text(), QStringLiteral("10"));
        int defaults = 0;
        for (QPushButton *b : men->findChildren<QPushButton *>())
            defaults += b->isDefault();
        QCOMPARE(defaults, 1);
        QVERIFY(key(2)->isDefault());
        QVERIFY(!timer(men, "Timer1")->isEnabled() && !timer(men, "Timer3")->isEnabled());
    }

    // A key or a typed entry starts the countdown with a beep; the display
    // shrinks for long texts. Each row: the key (5 for an entry typed into
    // the dialog), LimTime and the display.
    void starting_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<int>("limTime");
        QTest::addColumn<QString>("display");
        QTest::newRow("key 1") << 0 << "" << 60 << "60";
        QTest::newRow("key 2") << 1 << "" << 120 << "2:00";
        QTest::newRow("key 5") << 4 << "" << 300 << "5:00";
        const QList<std::tuple<const char *, int, const char *>> typed{
            {"3", 180, "3:00"}, {"1", 60, "1:00"}, {"2.5", 150, "2:30"}, {"0.5", 30, "30"}, {"90", 5400, "1:30:00"},
            {"3分", 180, "3:00"}, {"1 5", 900, "15:00"}, {"1,5", 60, "1:00"}, {"0.01", 1, "1"}, {"0.005", 0, "0"},
            {"abc", 0, "0"}, {"１０", 0, "0"}, {"7：30", 420, "7:00"}, {"600", 36000, "10:00:00"},
            {"1000000000000", INT_MAX, "596523:14:07"}, {"-1000000000000", INT_MIN, "0"}, {"-3", -180, "0"}};
        for (const auto &[entry, limTime, display] : typed)
            QTest::addRow("typed %s", entry) << 5 << QString::fromUtf8(entry) << limTime << QString(display);
    }
    void starting()
    {
        QFETCH(int, key);
        QFETCH(QString, entry);
        QFETCH(int, limTime);
        QFETCH(QString, display);
        test::FakeDesktop desktop;
        desktop.answer = entry;
        FrmMen *men = open();
        test::LogCapture shell("orvalen.shell");
        QTest::mouseClick(this->key(key), Qt::LeftButton);
        QCOMPARE(desktop.dialogs, key == 5 ? 1 : 0);
        QCOMPARE(men->property("LimTime").toInt(), limTime);
        QCOMPARE(texts(men, "Label1"), display);
        auto *label1 = men->findChild<QLabel *>(QStringLiteral("Label1"));
        QCOMPARE(label1->font().pointSizeF(), display.size() > 7 ? 48.0 : 72.0);
        QCOMPARE(shell.lines(), QStringList({"beep"}));
        QCOMPARE(test::shown(men, "Picture2"), QStringLiteral("0"));
        QCOMPARE(timer(men, "Timer1")->interval(), 1000);
        QVERIFY(timer(men, "Timer1")->isEnabled() && !timer(men, "Timer3")->isEnabled());
        if (key == 5)
            QCOMPARE(men->findChild<QLineEdit *>(QStringLiteral("TxtTime"))->text(), entry);
    }

    // The dialog's title and prompt; a cancel (or nothing typed) changes
    // nothing.
    void cancellingTheDialog()
    {
        test::FakeDesktop desktop;
        FrmMen *men = open();
        test::LogCapture shell("orvalen.shell");
        men->CmdTime_Click(5);
        QCOMPARE(desktop.dialog, QStringLiteral("Orvalen|数値を入力してください。（分単位：小数可）\r\n"
                                                "または時刻を入力してください（hh:mm形式）"));
        QVERIFY(shell.lines().isEmpty());
        QCOMPARE(test::shown(men, "Picture2"), QStringLiteral("1"));
        QVERIFY(!timer(men, "Timer1")->isEnabled() && !timer(men, "Timer3")->isEnabled());
        QVERIFY(key(2)->isDefault());
        men->CmdTime_Click(6); // no such key
        QCOMPARE(desktop.dialogs, 1);
    }

    // Key 3, ticked. Each row: the tick, the display, the overtime count
    // (empty while hidden) and whether the alarm sounded.
    void countingDown_data()
    {
        QTest::addColumn<int>("tick");
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("overtime");
        QTest::addColumn<bool>("alarm");
        QTest::newRow("1") << 1 << "2:59" << "" << false;
        QTest::newRow("120") << 120 << "1:00" << "" << false;
        QTest::newRow("121") << 121 << "59" << "" << false;
        QTest::newRow("179") << 179 << "1" << "" << false;
        QTest::newRow("180") << 180 << "(^｡^)" << "" << true;
        QTest::newRow("181") << 181 << "(^｡^)" << "1" << true;
        QTest::newRow("3780") << 3780 << "(^｡^)" << "1:00:00" << true;
    }
    void countingDown()
    {
        QFETCH(int, tick);
        QFETCH(QString, display);
        QFETCH(QString, overtime);
        QFETCH(bool, alarm);
        test::CueRecorder cues;
        test::FakeDesktop desktop;
        FrmMen *men = open();
        men->CmdTime_Click(2);
        test::call(men, "Timer1_Timer", tick - 1);
        cues.clear();
        men->Timer1_Timer();
        QCOMPARE(men->property("PassCnt").toInt(), tick);
        QCOMPARE(texts(men, "Label1"), display);
        QCOMPARE(test::shown(men, "Label3 Label2 Check1"), overtime.isEmpty() ? QString(alarm ? "001" : "000") : "111");
        if (!overtime.isEmpty())
            QCOMPARE(texts(men, "Label3"), overtime);
        QCOMPARE(cues.played(), alarm ? QStringList{"s05.wav"} : QStringList());
        QCOMPARE(desktop.attention, alarm ? QStringList{"FrmMen"} : QStringList());
    }

    // The alarm repeats every tick until muted, and the overtime counts on.
    void muting()
    {
        test::CueRecorder cues;
        test::FakeDesktop desktop;
        desktop.answer = QStringLiteral("-0");
        FrmMen *men = open(false);
        men->CmdTime_Click(5);
        timer(men, "Timer1")->setInterval(5); // the clock is wired: let it fire
        QTRY_VERIFY(!cues.played().isEmpty());
        timer(men, "Timer1")->setEnabled(false);
        const int sounded = cues.played().size();
        QCOMPARE(cues.played().last(), QStringLiteral("s05.wav"));
        auto *mute = men->findChild<QCheckBox *>(QStringLiteral("Check1"));
        QTest::mouseClick(mute, Qt::LeftButton, {}, QPoint(6, mute->height() / 2));
        QVERIFY(mute->isChecked());
        const int before = men->property("PassCnt").toInt();
        test::call(men, "Timer1_Timer", 2);
        QCOMPARE(cues.played().size(), sounded);
        QCOMPARE(texts(men, "Label1 Label3"), "(^｡^)|" + QString::number(before + 2));
        mute->setChecked(false);
        men->Timer1_Timer();
        QCOMPARE(cues.played().size(), sounded + 1);
        QCOMPARE(desktop.attention.size(), 1);
    }

    // A time of day: the clock line shows the time, and the alarm comes at
    // the target minute (the next such minute, even tomorrow) and stays on.
    void waitingForATimeOfDay()
    {
        test::CueRecorder cues;
        test::FakeDesktop desktop;
        desktop.now = QTime(12, 0, 30);
        desktop.answer = QStringLiteral(" 11:59:40 ");
        FrmMen *men = open(false);
        test::LogCapture shell("orvalen.shell");
        men->CmdTime_Click(5);
        QCOMPARE(shell.lines(), QStringList({"beep"}));
        QCOMPARE(men->property("AlmTime").toString(), QStringLiteral("11:59"));
        QCOMPARE(texts(men, "Label1 Label4"), QStringLiteral(" 11:59:40 |現在時刻 12:00:30"));
        QCOMPARE(test::shown(men, "Picture2 Label4 Label3"), QStringLiteral("010"));
        QCOMPARE(timer(men, "Timer3")->interval(), 1000);
        QVERIFY(timer(men, "Timer3")->isEnabled() && !timer(men, "Timer1")->isEnabled());
        for (const QTime &t : {QTime(12, 0, 31), QTime(23, 59, 59), QTime(0, 0), QTime(11, 58, 59)}) {
            desktop.now = t;
            men->Timer3_Timer();
        }
        QVERIFY(!men->property("AlmOn").toBool());
        QVERIFY(cues.played().isEmpty());
        QCOMPARE(texts(men, "Label4"), QStringLiteral("現在時刻 11:58:59"));
        desktop.now = QTime(11, 59);
        timer(men, "Timer3")->setInterval(5); // the clock is wired: let it fire
        QTRY_VERIFY(men->property("AlmOn").toBool());
        timer(men, "Timer3")->setEnabled(false);
        const int rung = cues.played().size();
        QCOMPARE(texts(men, "Label1 Label3"), "(^｡^)|" + QString::number(rung));
        QCOMPARE(test::shown(men, "Label3 Label2 Check1"), QStringLiteral("111"));
        desktop.now = QTime(12, 3, 5);
        men->Timer3_Timer();
        QCOMPARE(texts(men, "Label3 Label4"), QString::number(rung + 1) + "|現在時刻 12:03:05");
        QCOMPARE(cues.played(), QStringList(rung + 1, QStringLiteral("s05.wav")));
    }

    void anImpossibleTimeNeverRings()
    {
        test::CueRecorder cues;
        test::FakeDesktop desktop;
        desktop.answer = QStringLiteral("24:00");
        FrmMen *men = open();
        men->CmdTime_Click(5);
        for (int m = 0; m < 24 * 60; m += 7) {
            desktop.now = QTime(0, 0).addSecs(m * 60);
            men->Timer3_Timer();
        }
        QCOMPARE(texts(men, "Label1"), QStringLiteral("24:00"));
        QVERIFY(!men->property("AlmOn").toBool() && cues.played().isEmpty());
    }

    // Enter presses the default key until the keypad goes; a new entry in
    // the hidden box makes the input key the default.
    void theDefaultKey()
    {
        test::FakeDesktop desktop;
        FrmMen *men = open();
        auto *box = men->findChild<QLineEdit *>(QStringLiteral("TxtTime"));
        box->setText(QStringLiteral("10")); // the same text: no change
        QVERIFY(key(2)->isDefault());
        box->setText(QStringLiteral("12"));
        QVERIFY(key(5)->isDefault() && !key(2)->isDefault());
        QTest::keyClick(men, Qt::Key_Return);
        QCOMPARE(desktop.dialogs, 1);
        FrmMen *fresh = open();
        QTest::keyClick(fresh, Qt::Key_Enter);
        QCOMPARE(fresh->property("LimTime").toInt(), 180);
        QTest::keyClick(fresh, Qt::Key_Return);
        QCOMPARE(texts(fresh, "Label1"), QStringLiteral("3:00"));
        QCOMPARE(desktop.dialogs, 1);
    }

private:
    FrmMen *open(bool stepped = true)
    {
        formRef<FrmMain>()->show();
        formRef<FrmMain>()->CmdMen_Click();
        FrmMen *men = formRef<FrmMen>().peek();
        timer(men, "Timer1")->blockSignals(stepped); // the tests step the clocks
        timer(men, "Timer3")->blockSignals(stepped);
        return men;
    }
    static QPushButton *key(int index)
    {
        return formRef<FrmMen>()->findChild<QPushButton *>(indexedName("CmdTime", index));
    }
};

QTEST_MAIN(TestCountdown)
#include "tst_countdown.moc"
