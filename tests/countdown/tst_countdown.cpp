// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The kitchen timer: its presets, typed minutes and times of day, the
// countdown, the alarm and overtime and the wait across midnight as tables
// on its model, then the window showing what the model says: its keys, its
// dialog and its clocks.

#include "common/periodictimer.h"
#include "common/twips.h"
#include "countdown/frmmen.h"
#include "support/testsupport.h"
#include "widgets/controls.h"
#include "widgets/formref.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <climits>

using namespace orv;
using test::shown;
using test::texts;

namespace {
QPushButton *key(const FrmMen *men, int index)
{
    return men->findChild<QPushButton *>(indexedName("CmdTime", index));
}


const QString kFace = Kitchen::kAlarmFace.toString();

// A key: whether it is one, asks for an entry; LimTime, the display.
struct KeyRow
{
    int index;
    bool pressed = true, asks = false;
    int limTime = 0;
    const char *display = "";
};

// An entry read at 12:00:30: whether it waits for a time of day; LimTime;
// the display and its size; AlmTime.
struct EntryRow
{
    const char *entry;
    bool clockMode = false;
    int limTime = 0;
    const char *display;
    std::optional<double> points = {};
    const char *almTime = "";
};

// The entry that started a countdown (none for the key ３), the tick,
// whether muted; then what the tick changes: the display and its size, the
// overtime, whether the alarm begins, and the cue.
struct CountRow
{
    QString entry = {};
    int tick;
    bool muted = false;
    std::optional<QString> display = {};
    std::optional<double> points = {};
    std::optional<QString> overtime = {};
    bool alarmBegins = false;
    std::optional<Cue> cue = {};
};

// A wait for `entry`, typed at 12:00:30, the clock at each tick; then what
// the last tick changes (nothing at all, or the face, the overtime and the
// clock line), and whether the alarm is on.
struct ClockRow
{
    QString entry;
    QList<QTime> readings;
    bool nothing = false;
    bool face = false;
    std::optional<QString> overtime = {};
    std::optional<QString> clockLine = {};
    bool almOn = false;
};
} // namespace

Q_DECLARE_METATYPE(KeyRow)
Q_DECLARE_METATYPE(EntryRow)
Q_DECLARE_METATYPE(CountRow)
Q_DECLARE_METATYPE(ClockRow)

class TestCountdown : public QObject
{
    Q_OBJECT

private slots:
    void readingATimeOfDay_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("target"); // empty: not a time of day
        const QList<std::pair<const char *, const char *>> rows{
            {"7:30", "07:30"}, {"07:30", "07:30"}, {"19:05:40", "19:05"}, {" 7 : 30 ", "07:30"}, {"0:00", "00:00"},
            {"23:59:59", "23:59"}, {"24:00", ""}, {"7:60", ""}, {"7:30:60", ""}, {"ab:cd", ""}, {"1:2:3:4", ""},
            {":", ""}, {"007:30", ""}, {"7:", ""}, {"7:30 PM", ""}, {"７:３０", ""}, {"+7:30", ""}, {"7", ""}, {"7:3a", ""}, {"7:/0", ""}};
        for (const auto &[entry, target] : rows)
            QTest::addRow("%s", entry) << QString::fromUtf8(entry) << QString::fromLatin1(target);
    }
    void readingATimeOfDay()
    {
        QFETCH(QString, entry);
        QFETCH(QString, target);
        QCOMPARE(countdown::readTimeOfDay(entry).value_or(QString()), target);
    }

    // The presets start at once with their own text, in the display's size
    // as it stands; the input key asks; there is no seventh key.
    void pressingAKey_data()
    {
        QTest::addColumn<KeyRow>("row");
        const QList<KeyRow> rows{{.index = 0, .limTime = 60, .display = "60"},      {.index = 1, .limTime = 120, .display = "2:00"},
                                 {.index = 2, .limTime = 180, .display = "3:00"},   {.index = 3, .limTime = 240, .display = "4:00"},
                                 {.index = 4, .limTime = 300, .display = "5:00"},   {.index = 5, .asks = true},
                                 {.index = 6, .pressed = false},                    {.index = -1, .pressed = false}};
        for (const KeyRow &row : rows)
            QTest::addRow("%d", row.index) << row;
    }
    void pressingAKey()
    {
        QFETCH(KeyRow, row);
        Kitchen kitchen;
        const std::optional<Kitchen::Start> start = kitchen.press(row.index);
        QCOMPARE(start.has_value(), row.pressed);
        QCOMPARE(kitchen.limTime(), row.limTime);
        if (!start)
            return;
        QCOMPARE(start->asks, row.asks);
        QVERIFY(!start->clockLine);
        QCOMPARE(start->display.text, QString(row.display));
        QVERIFY(!start->display.points);
    }

    // A number of minutes starts a countdown, shown at the size its text
    // needs; an entry with a colon waits for a time of day, shown as typed.
    // An empty entry (cancelled) starts nothing.
    void enteringATime_data()
    {
        QTest::addColumn<EntryRow>("row");
        const QList<EntryRow> rows{
            {.entry = "1", .limTime = 60, .display = "1:00"}, {.entry = "3", .limTime = 180, .display = "3:00"},
            {.entry = "2.5", .limTime = 150, .display = "2:30"}, {.entry = "0.5", .limTime = 30, .display = "30"},
            {.entry = "90", .limTime = 5400, .display = "1:30:00"}, {.entry = "3分", .limTime = 180, .display = "3:00"},
            {.entry = "1 5", .limTime = 900, .display = "15:00"}, {.entry = "1,5", .limTime = 60, .display = "1:00"},
            {.entry = "0.01", .limTime = 1, .display = "1"}, {.entry = "0.005", .limTime = 0, .display = "0"},
            {.entry = "abc", .limTime = 0, .display = "0"}, {.entry = "7：30", .limTime = 420, .display = "7:00"},
            {.entry = "599.99", .limTime = 35999, .display = "9:59:59"},
            {.entry = "600", .limTime = 36000, .display = "10:00:00", .points = 48},
            {.entry = "1000000000000", .limTime = INT_MAX, .display = "596523:14:07", .points = 48},
            {.entry = "-1000000000000", .limTime = INT_MIN, .display = "0"},
            {.entry = "-3", .limTime = -180, .display = "0"},
            {.entry = "7:30", .clockMode = true, .display = "7:30", .almTime = "07:30"},
            {.entry = "1:30", .clockMode = true, .display = "1:30", .almTime = "01:30"},
            {.entry = " 11:59:40 ", .clockMode = true, .display = " 11:59:40 ", .almTime = "11:59"},
            {.entry = "24:00", .clockMode = true, .display = "24:00", .almTime = "--:--"}};
        for (const EntryRow &row : rows)
            QTest::addRow("%s", row.entry) << row;
    }
    void enteringATime()
    {
        QFETCH(EntryRow, row);
        Kitchen kitchen;
        QVERIFY(kitchen.press(countdown::kInputKey)->asks);
        QVERIFY(!kitchen.enter(QString(), QTime(12, 0, 30)));
        const std::optional<Kitchen::Start> start = kitchen.enter(QString::fromUtf8(row.entry), QTime(12, 0, 30));
        QVERIFY(start);
        QVERIFY(!start->asks);
        QCOMPARE(kitchen.limTime(), row.limTime);
        QCOMPARE(start->display.text, QString::fromUtf8(row.display));
        QCOMPARE(start->display.points, row.points);
        QCOMPARE(kitchen.almTime(), QString(row.almTime));
        QCOMPARE(start->clockLine, row.clockMode ? std::optional<QString>(QStringLiteral("現在時刻 12:00:30")) : std::nullopt);
    }

    void countingDown_data()
    {
        QTest::addColumn<CountRow>("row");
        const QList<CountRow> rows{
            {.tick = 1, .display = "2:59"}, {.tick = 120, .display = "1:00"},
            {.tick = 121, .display = "59"}, {.tick = 179, .display = "1"},
            {.tick = 180, .display = kFace, .alarmBegins = true, .cue = Cue::Alarm},
            {.tick = 181, .overtime = "1", .cue = Cue::Alarm},
            {.tick = 181, .muted = true, .overtime = "1"},
            {.tick = 3780, .overtime = "1:00:00", .cue = Cue::Alarm},
            {.entry = "600", .tick = 1, .display = "9:59:59", .points = 72},
            {.entry = "0", .tick = 1, .display = kFace, .overtime = "1", .alarmBegins = true, .cue = Cue::Alarm},
            {.entry = "abc", .tick = 1, .display = kFace, .overtime = "1", .alarmBegins = true, .cue = Cue::Alarm},
            {.entry = "-3", .tick = 1, .display = kFace, .overtime = "3:01", .alarmBegins = true, .cue = Cue::Alarm}};
        for (const CountRow &row : rows)
            QTest::addRow("%s %d%s", row.entry.isEmpty() ? "３" : qPrintable(row.entry), row.tick, row.muted ? " muted" : "") << row;
    }
    void countingDown()
    {
        QFETCH(CountRow, row);
        Kitchen kitchen;
        if (row.entry.isEmpty())
            kitchen.press(2);
        else
            kitchen.enter(row.entry, QTime(12, 0));
        std::optional<Kitchen::Tick> last;
        for (int i = 0; i < row.tick; ++i)
            last = kitchen.tick(row.muted && i + 1 == row.tick);
        QCOMPARE(kitchen.passCnt(), row.tick);
        QVERIFY(last);
        QCOMPARE(last->display ? std::optional(last->display->text) : std::nullopt, row.display);
        QCOMPARE(last->display ? last->display->points : std::nullopt, row.points);
        QCOMPARE(last->overtime, row.overtime);
        QCOMPARE(last->alarmBegins, row.alarmBegins);
        QCOMPARE(last->cue, row.cue);
        QVERIFY(!last->clockLine);
    }

    // The clock line follows the clock, and the alarm comes when the clock
    // next shows the target minute, even tomorrow, and stays on; a key
    // clears it. A tick that reads the same second again changes nothing.
    void waitingForATimeOfDay_data()
    {
        QTest::addColumn<ClockRow>("row");
        const QTime noon(12, 0, 31);
        const QList<std::pair<const char *, ClockRow>> rows{
            {"not yet", {.entry = "12:05", .readings = {noon}, .clockLine = "現在時刻 12:00:31"}},
            {"the same second again", {.entry = "12:05", .readings = {QTime(12, 0, 30)}, .nothing = true}},
            {"the target minute", {.entry = "12:05", .readings = {noon, QTime(12, 5)}, .face = true, .overtime = "1", .clockLine = "現在時刻 12:05:00", .almOn = true}},
            {"and on", {.entry = "12:05", .readings = {QTime(12, 5, 59), QTime(12, 6), QTime(15, 0)}, .overtime = "3", .clockLine = "現在時刻 15:00:00", .almOn = true}},
            {"passed today: tomorrow", {.entry = "11:59", .readings = {noon, QTime(23, 59, 59), QTime(0, 0), QTime(11, 58, 59)}, .clockLine = "現在時刻 11:58:59"}},
            {"tomorrow comes", {.entry = "11:59", .readings = {noon, QTime(0, 0), QTime(11, 59)}, .face = true, .overtime = "1", .clockLine = "現在時刻 11:59:00", .almOn = true}},
            {"at midnight", {.entry = "0:00", .readings = {QTime(23, 59, 59), QTime(0, 0)}, .face = true, .overtime = "1", .clockLine = "現在時刻 0:00:00", .almOn = true}},
            {"never", {.entry = "24:00", .readings = {QTime(0, 0), QTime(23, 59)}, .clockLine = "現在時刻 23:59:00"}}};
        for (const auto &[name, row] : rows)
            QTest::newRow(name) << row;
    }
    void waitingForATimeOfDay()
    {
        QFETCH(ClockRow, row);
        Kitchen kitchen;
        kitchen.press(countdown::kInputKey);
        kitchen.enter(row.entry, QTime(12, 0, 30));
        std::optional<Kitchen::Tick> last;
        for (const QTime &now : row.readings)
            last = kitchen.clockTick(now, false);
        QCOMPARE(kitchen.almOn(), row.almOn);
        QCOMPARE(!last, row.nothing);
        if (last) {
            QCOMPARE(last->display.has_value(), row.face);
            QCOMPARE(last->overtime, row.overtime);
            QCOMPARE(last->clockLine, row.clockLine);
            QCOMPARE(last->cue.has_value(), row.almOn);
        }
        kitchen.press(countdown::kInputKey);
        QVERIFY(!kitchen.almOn());
    }

    // The overtime counts on without ever wrapping around.
    void overtimeNeverWraps() { QCOMPARE(countdown::saturatingIncrement(INT_MAX), INT_MAX); }

    void cleanup() { discardAllForms(); }

    // A key starts its countdown with a beep; the keypad goes and the
    // countdown's clock runs. The input key asks; the entry goes into the
    // hidden box, and minutes are shown at the size their text needs.
    void starting()
    {
        test::FakeDesktop desktop;
        FrmMen *men = test::opened<FrmMen>();
        QVERIFY((men->frameGeometry().center() - men->screen()->geometry().center()).manhattanLength() <= 2);
        QTest::mouseClick(key(men, 2), Qt::LeftButton);
        QCOMPARE(men->property("LimTime").toInt(), 180);
        QCOMPARE(texts(men, "Label1"), QStringLiteral("3:00"));
        QCOMPARE(desktop.logged, QStringList({"beep"}));
        QCOMPARE(shown(men, "Picture2"), QStringLiteral("0"));
        QCOMPARE(test::clocks(men), QStringLiteral("Timer1 1000 on|Timer3 0 off"));
        desktop.answer = QStringLiteral("600");
        men = test::opened<FrmMen>();
        QTest::mouseClick(key(men, 5), Qt::LeftButton);
        QCOMPARE(desktop.dialogs, 1);
        QCOMPARE(men->findChild<QLineEdit *>(QStringLiteral("TxtTime"))->text(), QStringLiteral("600"));
        QCOMPARE(texts(men, "Label1"), QStringLiteral("10:00:00"));
        QCOMPARE(men->findChild<QLabel *>(QStringLiteral("Label1"))->font().pointSizeF(), 48.0);
        QVERIFY(test::fire(men, "Timer1"));
        QCOMPARE(texts(men, "Label1"), QStringLiteral("9:59:59"));
        QCOMPARE(men->findChild<QLabel *>(QStringLiteral("Label1"))->font().pointSizeF(), 72.0);
    }

    // The alarm: the face, the cue, the mute box and one request for
    // attention; then the overtime with its tag. Muted, the cue stops and
    // the rest goes on.
    void theAlarm()
    {
        test::FakeDesktop desktop;
        FrmMen *men = test::opened<FrmMen>();
        men->CmdTime_Click(0);
        QVERIFY(test::call(men, "Timer1_Timer", 60));
        QCOMPARE(texts(men, "Label1"), QStringLiteral("(^｡^)"));
        QCOMPARE(shown(men, "Check1 Label3 Label2"), QStringLiteral("100"));
        QCOMPARE(desktop.played, QStringList({"s05.wav"}));
        QCOMPARE(desktop.attention, QStringList({"FrmMen"}));
        auto *mute = men->findChild<QCheckBox *>(QStringLiteral("Check1"));
        QTest::mouseClick(mute, Qt::LeftButton, {}, QPoint(6, mute->height() / 2));
        QVERIFY(test::call(men, "Timer1_Timer"));
        QCOMPARE(shown(men, "Label3 Label2"), QStringLiteral("11"));
        QCOMPARE(texts(men, "Label3"), QStringLiteral("1"));
        QCOMPARE(desktop.played.size(), 1);
        QCOMPARE(desktop.attention.size(), 1);
        QVERIFY(test::call(men, "Timer1_Timer", 599)); // this window's figures do not grow, but condense
        const QWidget *overtime = men->findChild<QWidget *>(QStringLiteral("Label3"));
        QCOMPARE(texts(men, "Label3"), QStringLiteral("10:00"));
        QCOMPARE(overtime->geometry(), twipsToPx(twipsOf(overtime)));
    }

    // A time of day: the entry shown as typed, the clock line, a beep, and
    // the clock mode's own clock, whose tick at the target minute raises the
    // alarm with its overtime at once; a key then takes the clock line away.
    void aTimeOfDay()
    {
        test::FakeDesktop desktop;
        desktop.now = QTime(12, 0, 30);
        desktop.answer = QStringLiteral(" 11:59:40 ");
        FrmMen *men = test::opened<FrmMen>();
        men->CmdTime_Click(5);
        QCOMPARE(texts(men, "Label1 Label4"), QStringLiteral(" 11:59:40 |現在時刻 12:00:30"));
        QCOMPARE(shown(men, "Picture2 Label4"), QStringLiteral("01"));
        QCOMPARE(test::clocks(men), QStringLiteral("Timer1 0 off|Timer3 1000 on"));
        QCOMPARE(desktop.logged, QStringList({"beep"}));
        desktop.now = QTime(11, 59);
        QVERIFY(test::fire(men, "Timer3"));
        QCOMPARE(texts(men, "Label1 Label3 Label4"), QStringLiteral("(^｡^)|1|現在時刻 11:59:00"));
        QCOMPARE(shown(men, "Label3 Label2"), QStringLiteral("11"));
        men->CmdTime_Click(2); // a key, as a tool presses it: the clock line goes
        QCOMPARE(shown(men, "Label4"), QStringLiteral("0"));
    }

    // The keypad starts with its middle key the default, which Enter
    // presses; a new entry in the hidden box makes the input key the
    // default. A cancelled dialog changes nothing.
    void theDefaultKey()
    {
        test::FakeDesktop desktop;
        FrmMen *men = test::opened<FrmMen>();
        auto *box = men->findChild<QLineEdit *>(QStringLiteral("TxtTime"));
        box->setText(QStringLiteral("10")); // the same text: no change
        QVERIFY(key(men, 2)->isDefault());
        box->setText(QStringLiteral("12"));
        QVERIFY(key(men, 5)->isDefault());
        QVERIFY(!key(men, 2)->isDefault());
        QTest::keyClick(men, Qt::Key_Return);
        QCOMPARE(desktop.dialogs, 1);
        men->CmdTime_Click(6); // no such key
        QCOMPARE(shown(men, "Picture2"), QStringLiteral("1"));
        QCOMPARE(test::clocks(men), QStringLiteral("Timer1 0 off|Timer3 0 off"));
        QVERIFY(desktop.logged.isEmpty());
        QCOMPARE(box->text(), QStringLiteral("12"));
        men = test::opened<FrmMen>();
        QTest::keyClick(men, Qt::Key_Enter);
        QCOMPARE(men->property("LimTime").toInt(), 180);
    }

};

QTEST_MAIN(TestCountdown)
#include "tst_countdown.moc"
