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
using test::shown;
using test::texts;
using test::timer;

class TestCountdown : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { discardAllForms(); }

    void readingATimeOfDay()
    {
        const QList<std::pair<const char *, const char *>> rows{
            {"7:30", "07:30"}, {"07:30", "07:30"}, {"19:05:40", "19:05"}, {" 7 : 30 ", "07:30"}, {"0:00", "00:00"},
            {"23:59:59", "23:59"}, {"24:00", ""}, {"7:60", ""}, {"7:30:60", ""}, {"ab:cd", ""}, {"1:2:3:4", ""},
            {":", ""}, {"007:30", ""}, {"7:", ""}, {"7:30 PM", ""}, {"７:３０", ""}, {"+7:30", ""}, {"7", ""}};
        for (const auto &[entry, target] : rows)
            QCOMPARE(countdown::readTimeOfDay(QString::fromUtf8(entry)).value_or(QString()), QString(target));
        QCOMPARE(countdown::saturatingIncrement(INT_MAX), INT_MAX);
    }

    // A key, or an entry typed into the dialog (key 5), starts the countdown
    // with a beep; the display shrinks for long texts. Each row: the key,
    // the entry, and LimTime|display.
    void starting_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("expected");
        QTest::newRow("key 1") << 0 << "" << "60|60";
        QTest::newRow("key 2") << 1 << "" << "120|2:00";
        QTest::newRow("key 4") << 3 << "" << "240|4:00";
        QTest::newRow("key 5") << 4 << "" << "300|5:00";
        const QList<std::pair<const char *, const char *>> typed{
            {"1", "60|1:00"}, {"2.5", "150|2:30"}, {"0.5", "30|30"}, {"90", "5400|1:30:00"}, {"3分", "180|3:00"},
            {"0.01", "1|1"}, {"0.005", "0|0"}, {"7：30", "420|7:00"}, {"600", "36000|10:00:00"},
            {"1000000000000", "2147483647|596523:14:07"}, {"-1000000000000", "-2147483648|0"}, {"-3", "-180|0"}};
        for (const auto &[entry, expected] : typed)
            QTest::addRow("typed %s", entry) << 5 << QString::fromUtf8(entry) << QString(expected);
    }
    void starting()
    {
        QFETCH(int, key);
        QFETCH(QString, entry);
        QFETCH(QString, expected);
        test::FakeDesktop desktop;
        desktop.answer = entry;
        FrmMen *men = open();
        QTest::mouseClick(this->key(key), Qt::LeftButton);
        QCOMPARE(desktop.dialogs, key == 5 ? 1 : 0);
        QCOMPARE(men->property("LimTime").toString() + u'|' + texts(men, "Label1"), expected);
        const double points = men->findChild<QLabel *>(QStringLiteral("Label1"))->font().pointSizeF();
        QCOMPARE(points, texts(men, "Label1").size() > 7 ? 48.0 : 72.0);
        QCOMPARE(desktop.logged, QStringList({"beep"}));
        QCOMPARE(shown(men, "Picture2 Label4"), QStringLiteral("00"));
        QCOMPARE(test::clocks(men), QStringLiteral("Timer1 1000 on|Timer3 0 off"));
        QCOMPARE(men->findChild<QLineEdit *>(QStringLiteral("TxtTime"))->text(), key == 5 ? entry : "10");
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
        test::FakeDesktop desktop;
        FrmMen *men = open();
        men->CmdTime_Click(2);
        test::call(men, "Timer1_Timer", tick - 1);
        desktop.played.clear();
        men->Timer1_Timer();
        QCOMPARE(men->property("PassCnt").toInt(), tick);
        QCOMPARE(texts(men, "Label1"), display);
        QCOMPARE(shown(men, "Label3 Label2 Check1"), overtime.isEmpty() ? QString(alarm ? "001" : "000") : "111");
        QCOMPARE(texts(men, "Label3"), overtime.isEmpty() ? QStringLiteral("0:00") : overtime);
        QCOMPARE(desktop.played, alarm ? QStringList{"s05.wav"} : QStringList());
        QCOMPARE(desktop.attention, alarm ? QStringList{"FrmMen"} : QStringList());
    }

    // The clock is wired: the alarm repeats every tick until muted, and the
    // overtime counts on.
    void muting()
    {
        test::FakeDesktop desktop;
        desktop.answer = QStringLiteral("-0");
        FrmMen *men = open(false);
        men->CmdTime_Click(5);
        timer(men, "Timer1")->setInterval(5);
        QTRY_VERIFY(!desktop.played.isEmpty());
        timer(men, "Timer1")->setEnabled(false);
        const qsizetype sounded = desktop.played.size();
        auto *mute = men->findChild<QCheckBox *>(QStringLiteral("Check1"));
        QTest::mouseClick(mute, Qt::LeftButton, {}, QPoint(6, mute->height() / 2));
        const int before = men->property("PassCnt").toInt();
        test::call(men, "Timer1_Timer", 2);
        QCOMPARE(desktop.played.size(), sounded);
        QCOMPARE(texts(men, "Label1 Label3"), "(^｡^)|" + QString::number(before + 2));
        mute->setChecked(false);
        men->Timer1_Timer();
        QCOMPARE(desktop.played, QStringList(sounded + 1, QStringLiteral("s05.wav")));
        QCOMPARE(desktop.attention.size(), 1);
    }

    // A time of day: the clock line shows the time, and the alarm comes at
    // the target minute (the next such minute, even tomorrow) and stays on.
    // (A time that cannot be read never comes: see readingATimeOfDay.)
    void waitingForATimeOfDay()
    {
        test::FakeDesktop desktop;
        desktop.now = QTime(12, 0, 30);
        desktop.answer = QStringLiteral(" 11:59:40 ");
        FrmMen *men = open(false);
        men->CmdTime_Click(5);
        QCOMPARE(desktop.logged, QStringList({"beep"}));
        QCOMPARE(men->property("AlmTime").toString(), QStringLiteral("11:59"));
        QCOMPARE(texts(men, "Label1 Label4"), QStringLiteral(" 11:59:40 |現在時刻 12:00:30"));
        QCOMPARE(shown(men, "Picture2 Label4 Label3"), QStringLiteral("010"));
        QCOMPARE(test::clocks(men), QStringLiteral("Timer1 0 off|Timer3 1000 on"));
        for (const QTime &t : {QTime(12, 0, 31), QTime(23, 59, 59), QTime(0, 0), QTime(11, 58, 59)}) {
            desktop.now = t;
            men->Timer3_Timer();
        }
        QVERIFY(!men->property("AlmOn").toBool() && desktop.played.isEmpty());
        QCOMPARE(texts(men, "Label4"), QStringLiteral("現在時刻 11:58:59"));
        desktop.now = QTime(11, 59);
        timer(men, "Timer3")->setInterval(5); // the clock is wired: let it fire
        QTRY_VERIFY(men->property("AlmOn").toBool());
        timer(men, "Timer3")->setEnabled(false);
        const qsizetype rung = desktop.played.size();
        QCOMPARE(texts(men, "Label1 Label3"), "(^｡^)|" + QString::number(rung));
        QCOMPARE(shown(men, "Label3 Label2 Check1"), QStringLiteral("111"));
        desktop.now = QTime(12, 3, 5);
        men->Timer3_Timer();
        QCOMPARE(texts(men, "Label3 Label4"), QString::number(rung + 1) + "|現在時刻 12:03:05");
        QCOMPARE(desktop.played.size(), rung + 1);
    }

    // The keypad starts with its middle key the default, which
    // Enter presses until the keypad goes; a new entry in the hidden box
    // makes the input key the default. A cancelled dialog changes nothing.
    void theDefaultKey()
    {
        test::FakeDesktop desktop;
        FrmMen *men = open();
        QCOMPARE(shown(men, "Picture2 TxtTime Label4 Label3 Label2 Check1"), QStringLiteral("100000"));
        // Two rows of three keys alike, evenly spaced.
        const QRect first = twipsOf(key(0));
        const int step = twipsOf(key(1)).left() - first.left();
        for (int i = 0; i < 6; ++i) {
            const QRect at = twipsOf(key(i));
            QVERIFY(at.size() == first.size() && at.topLeft() == QPoint(first.left() + i % 3 * step, twipsOf(key(i / 3 * 3)).top()));
        }
        auto *box = men->findChild<QLineEdit *>(QStringLiteral("TxtTime"));
        box->setText(QStringLiteral("10")); // the same text: no change
        QVERIFY(key(2)->isDefault());
        box->setText(QStringLiteral("12"));
        QVERIFY(key(5)->isDefault() && !key(2)->isDefault());
        QTest::keyClick(men, Qt::Key_Return);
        QCOMPARE(desktop.dialogs, 1);
        men->CmdTime_Click(6); // no such key
        QCOMPARE(shown(men, "Picture2") + test::clocks(men), QStringLiteral("1Timer1 0 off|Timer3 0 off"));
        men = open();
        QTest::keyClick(men, Qt::Key_Enter);
        QTest::keyClick(men, Qt::Key_Return);
        QCOMPARE(men->property("LimTime").toString() + texts(men, "Label1"), QStringLiteral("1803:00"));
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
