// The kitchen timer's rules, on its model alone: presets, typed minutes and
// times of day, the countdown, the alarm and overtime, and the wait for a
// time of day across midnight.

#include "countdown/kitchen.h"

#include <QTest>

#include <climits>

using namespace orv;

namespace {
const QString kFace = Kitchen::kAlarmFace.toString();
} // namespace

class TestKitchen : public QObject
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
            {":", ""}, {"007:30", ""}, {"7:", ""}, {"7:30 PM", ""}, {"７:３０", ""}, {"+7:30", ""}, {"7", ""},
            {"7:3a", ""}, {"7:/0", ""}};
        for (const auto &[entry, target] : rows)
            QTest::addRow("%s", entry) << QString::fromUtf8(entry) << QString::fromLatin1(target);
    }
    void readingATimeOfDay()
    {
        QFETCH(QString, entry);
        QFETCH(QString, target);
        QCOMPARE(countdown::readTimeOfDay(entry).value_or(QString()), target);
    }

    // A key: the presets start at once with their own text, in the display's
    // size as it stands; the input key asks; there is no seventh key.
    void pressingAKey_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("pressed");
        QTest::addColumn<bool>("asks");
        QTest::addColumn<bool>("started");
        QTest::addColumn<int>("limTime");
        QTest::addColumn<QString>("display");
        QTest::newRow("１") << 0 << true << false << true << 60 << "60";
        QTest::newRow("２") << 1 << true << false << true << 120 << "2:00";
        QTest::newRow("３") << 2 << true << false << true << 180 << "3:00";
        QTest::newRow("４") << 3 << true << false << true << 240 << "4:00";
        QTest::newRow("５") << 4 << true << false << true << 300 << "5:00";
        QTest::newRow("入力") << 5 << true << true << false << 0 << "";
        QTest::newRow("no key 6") << 6 << false << false << false << 0 << "";
        QTest::newRow("no key -1") << -1 << false << false << false << 0 << "";
    }
    void pressingAKey()
    {
        QFETCH(int, index);
        QFETCH(bool, pressed);
        QFETCH(bool, asks);
        QFETCH(bool, started);
        QFETCH(int, limTime);
        QFETCH(QString, display);
        Kitchen kitchen;
        const Kitchen::Start start = kitchen.press(index);
        QCOMPARE(start.pressed, pressed);
        QCOMPARE(start.asks, asks);
        QCOMPARE(start.started, started);
        QVERIFY(!start.clockMode);
        QCOMPARE(kitchen.limTime(), limTime);
        QCOMPARE(start.display.text, display);
        QCOMPARE(start.display.points, 0.0);
    }

    // An entry: a number of minutes starts a countdown, shown at the size
    // its text needs; an entry with a colon waits for a time of day, shown
    // as typed. Read at 12:00:30.
    void enteringATime_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<bool>("clockMode");
        QTest::addColumn<int>("limTime");
        QTest::addColumn<QString>("display");
        QTest::addColumn<double>("points");
        QTest::addColumn<QString>("almTime");
        const QList<std::tuple<const char *, int, const char *, double>> minutes{
            {"1", 60, "1:00", 72}, {"3", 180, "3:00", 72}, {"2.5", 150, "2:30", 72}, {"0.5", 30, "30", 72},
            {"90", 5400, "1:30:00", 72}, {"3分", 180, "3:00", 72}, {"1 5", 900, "15:00", 72}, {"1,5", 60, "1:00", 72},
            {"0.01", 1, "1", 72}, {"0.005", 0, "0", 72}, {"abc", 0, "0", 72}, {"7：30", 420, "7:00", 72},
            {"599.99", 35999, "9:59:59", 72}, {"600", 36000, "10:00:00", 48},
            {"1000000000000", INT_MAX, "596523:14:07", 48}, {"-1000000000000", INT_MIN, "0", 72},
            {"-3", -180, "0", 72}};
        for (const auto &[entry, limTime, display, points] : minutes)
            QTest::addRow("minutes %s", entry) << QString::fromUtf8(entry) << false << limTime << display << points
                                               << "";
        QTest::newRow("7:30") << "7:30" << true << 0 << "7:30" << 0.0 << "07:30";
        QTest::newRow("1:30 is a time") << "1:30" << true << 0 << "1:30" << 0.0 << "01:30";
        QTest::newRow(" 11:59:40 ") << " 11:59:40 " << true << 0 << " 11:59:40 " << 0.0 << "11:59";
        QTest::newRow("24:00 never comes") << "24:00" << true << 0 << "24:00" << 0.0 << "--:--";
    }
    void enteringATime()
    {
        QFETCH(QString, entry);
        QFETCH(bool, clockMode);
        QFETCH(int, limTime);
        QFETCH(QString, display);
        QFETCH(double, points);
        QFETCH(QString, almTime);
        Kitchen kitchen;
        QVERIFY(kitchen.press(countdown::kInputKey).asks);
        const Kitchen::Start start = kitchen.enter(entry, QTime(12, 0, 30));
        QVERIFY(start.started);
        QCOMPARE(start.clockMode, clockMode);
        QCOMPARE(kitchen.limTime(), limTime);
        QCOMPARE(start.display.text, display);
        QCOMPARE(start.display.points, points);
        QCOMPARE(kitchen.almTime(), almTime);
        QCOMPARE(start.clockLine, clockMode ? QStringLiteral("現在時刻 12:00:30") : QString());
    }

    void aCancelledEntry()
    {
        Kitchen kitchen;
        kitchen.press(countdown::kInputKey);
        const Kitchen::Start start = kitchen.enter(QString(), QTime(12, 0));
        QVERIFY(start.pressed);
        QVERIFY(!start.started);
    }

    // The preset "３", ticked. Each row: the tick, the main display (empty
    // when it does not change) and its size, the overtime (empty while
    // hidden), and whether the alarm is on, sounds and first asks for
    // attention.
    void countingDown_data()
    {
        QTest::addColumn<int>("tick");
        QTest::addColumn<QString>("display");
        QTest::addColumn<double>("points");
        QTest::addColumn<QString>("overtime");
        QTest::addColumn<bool>("alarm");
        QTest::addColumn<bool>("attention");
        QTest::newRow("1") << 1 << "2:59" << 72.0 << "" << false << false;
        QTest::newRow("120") << 120 << "1:00" << 72.0 << "" << false << false;
        QTest::newRow("121") << 121 << "59" << 72.0 << "" << false << false;
        QTest::newRow("179") << 179 << "1" << 72.0 << "" << false << false;
        QTest::newRow("180: the alarm") << 180 << kFace << 0.0 << "" << true << true;
        QTest::newRow("181: overtime") << 181 << kFace << 0.0 << "1" << true << false;
        QTest::newRow("240") << 240 << kFace << 0.0 << "1:00" << true << false;
        QTest::newRow("3780") << 3780 << kFace << 0.0 << "1:00:00" << true << false;
    }
    void countingDown()
    {
        QFETCH(int, tick);
        QFETCH(QString, display);
        QFETCH(double, points);
        QFETCH(QString, overtime);
        QFETCH(bool, alarm);
        QFETCH(bool, attention);
        Kitchen kitchen;
        kitchen.press(2);
        Kitchen::Tick last;
        for (int i = 0; i < tick; ++i)
            last = kitchen.tick(false);
        QCOMPARE(kitchen.passCnt(), tick);
        QVERIFY(last.display);
        QCOMPARE(last.display->text, display);
        QCOMPARE(last.display->points, points);
        QCOMPARE(last.overtime, overtime);
        QCOMPARE(last.alarm, alarm);
        QCOMPARE(last.cue, alarm);
        QCOMPARE(last.attention, attention);
        QVERIFY(last.clockLine.isEmpty());
    }

    // The mute box silences the alarm's cue, and nothing else.
    void muting_data()
    {
        QTest::addColumn<bool>("muted");
        QTest::newRow("muted") << true;
        QTest::newRow("not muted") << false;
    }
    void muting()
    {
        QFETCH(bool, muted);
        Kitchen kitchen;
        kitchen.press(0);
        for (int i = 0; i < 60; ++i)
            kitchen.tick(false);
        const Kitchen::Tick tick = kitchen.tick(muted);
        QCOMPARE(tick.cue, !muted);
        QVERIFY(tick.alarm);
        QCOMPARE(tick.overtime, QStringLiteral("1"));
    }

    // Countdowns of nothing, or of less: the first tick raises the alarm and
    // already shows overtime.
    void nothingToCount_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("overtime");
        QTest::newRow("0") << "0" << "1";
        QTest::newRow("abc") << "abc" << "1";
        QTest::newRow("-3") << "-3" << "3:01";
    }
    void nothingToCount()
    {
        QFETCH(QString, entry);
        QFETCH(QString, overtime);
        Kitchen kitchen;
        kitchen.press(countdown::kInputKey);
        kitchen.enter(entry, QTime(12, 0));
        const Kitchen::Tick tick = kitchen.tick(false);
        QVERIFY(tick.alarm);
        QCOMPARE(tick.overtime, overtime);
    }

    // Waiting for a time of day: the clock line follows the clock, and the
    // alarm comes when the clock next shows the target minute, even
    // tomorrow, and stays on. Each row: the entry, the clock readings of the
    // ticks, and what the last one shows.
    void waitingForATimeOfDay_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QList<QTime>>("readings");
        QTest::addColumn<bool>("almOn");
        QTest::addColumn<QString>("overtime");
        QTest::addColumn<QString>("clockLine");
        const QTime noon(12, 0, 31);
        QTest::newRow("not yet") << "12:05" << QList<QTime>{noon} << false << "" << "現在時刻 12:00:31";
        QTest::newRow("the target minute") << "12:05" << QList<QTime>{noon, QTime(12, 5, 0)} << true << "1"
                                           << "現在時刻 12:05:00";
        QTest::newRow("and on") << "12:05" << QList<QTime>{QTime(12, 5, 59), QTime(12, 6), QTime(15, 0)} << true
                                << "3" << "現在時刻 15:00:00";
        QTest::newRow("passed today: tomorrow") << "11:59"
                                               << QList<QTime>{noon, QTime(23, 59, 59), QTime(0, 0), QTime(11, 58, 59)}
                                               << false << "" << "現在時刻 11:58:59";
        QTest::newRow("tomorrow comes") << "11:59" << QList<QTime>{noon, QTime(0, 0), QTime(11, 59)} << true << "1"
                                        << "現在時刻 11:59:00";
        QTest::newRow("at midnight") << "0:00" << QList<QTime>{QTime(23, 59, 59), QTime(0, 0, 0)} << true << "1"
                                     << "現在時刻 0:00:00";
        QTest::newRow("never") << "24:00" << QList<QTime>{QTime(0, 0), QTime(23, 59)} << false << ""
                               << "現在時刻 23:59:00";
    }
    void waitingForATimeOfDay()
    {
        QFETCH(QString, entry);
        QFETCH(QList<QTime>, readings);
        QFETCH(bool, almOn);
        QFETCH(QString, overtime);
        QFETCH(QString, clockLine);
        Kitchen kitchen;
        kitchen.press(countdown::kInputKey);
        kitchen.enter(entry, QTime(12, 0, 30));
        Kitchen::Tick last;
        for (const QTime &now : readings)
            last = kitchen.clockTick(now, false);
        QCOMPARE(kitchen.almOn(), almOn);
        QCOMPARE(last.alarm, almOn);
        QCOMPARE(last.overtime, overtime);
        QCOMPARE(last.clockLine, clockLine);
        QCOMPARE(last.display.has_value(), almOn);
    }

    // Any key clears the alarm of clock mode.
    void aKeyClearsTheAlarm()
    {
        Kitchen kitchen;
        kitchen.press(countdown::kInputKey);
        kitchen.enter(QStringLiteral("12:00"), QTime(12, 0));
        kitchen.clockTick(QTime(12, 0), false);
        QVERIFY(kitchen.almOn());
        kitchen.press(countdown::kInputKey);
        QVERIFY(!kitchen.almOn());
    }

    // A whole countdown with its alarm: five minutes, then a minute of
    // overtime; the alarm sounds every second and asks for attention once.
    void aWholeCountdown()
    {
        Kitchen kitchen;
        kitchen.press(4);
        int cues = 0, attention = 0;
        Kitchen::Tick tick;
        for (int t = 1; t <= 360; ++t) {
            tick = kitchen.tick(false);
            cues += tick.cue;
            attention += tick.attention;
        }
        QCOMPARE(cues, 61);
        QCOMPARE(attention, 1);
        QCOMPARE(tick.overtime, QStringLiteral("1:00"));
    }

    void countsNeverWrap()
    {
        QCOMPARE(countdown::saturatingIncrement(INT_MAX), INT_MAX);
        QCOMPARE(countdown::saturatingIncrement(-1), 0);
    }
};

QTEST_GUILESS_MAIN(TestKitchen)
#include "tst_kitchen.moc"
