// The rules every window shares: rounding, the reading of typed numbers,
// duration texts, twips, the start countdown and the periodic timer.

#include "common/numbers.h"
#include "common/periodictimer.h"
#include "common/timedrun.h"
#include "common/timetext.h"
#include "common/twips.h"

#include <QAbstractEventDispatcher>
#include <QSignalSpy>
#include <QTest>

#include <climits>
#include <cmath>
#include <limits>

using namespace orv;

class TestRules : public QObject
{
    Q_OBJECT

private slots:
    void rounding_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("expected");
        const double inf = std::numeric_limits<double>::infinity();
        const QList<std::pair<double, int>> rows{
            {2.5, 2}, {3.5, 4}, {-2.5, -2}, {-3.5, -4}, {0.5, 0}, {2.49999, 2}, {2.50001, 3}, {7.0, 7},
            {2147483647.0, INT_MAX}, {2147483648.0, INT_MAX},
            {-1e12, INT_MIN}, {inf, INT_MAX}, {-inf, INT_MIN}, {std::nan(""), 0}};
        for (const auto &[value, expected] : rows)
            QTest::addRow("%g", value) << value << expected;
    }
    void rounding()
    {
        QFETCH(double, value);
        QFETCH(int, expected);
        QCOMPARE(roundToInt(value), expected);
    }

    // Also the tick length a box's text gives: the same number, rounded.
    void leadingNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::addColumn<int>("tickLength");
        const double inf = std::numeric_limits<double>::infinity();
        const QList<std::tuple<QString, double, int>> rows{
            {"1 5", 15, 15}, {"1,5", 1, 1}, {"3分", 3, 3}, {"abc", 0, 0}, {" - 2 .5x", -2.5, -2}, {"1e1", 1, 1},
            {"0.005", 0.005, 0}, {"\t1\n2", 12, 12}, {"1\r2", 1, 1}, {"+4.5", 4.5, 4}, {"1.2.3", 1.2, 1},
            {".5", 0.5, 0}, {".", 0, 0}, {"+-1", 0, 0}, {"1-2", 1, 1}, {"３", 0, 0}, {"　3", 0, 0}, {"-0", 0, 0},
            {"3.5", 3.5, 4}, {"120ms", 120, 120}, {"", 0, 0},
            {QString(400, u'0') + "7", 7, 7}, {"0." + QString(400, u'0') + "1", 0, 0},
            {"1000000000000", 1e12, INT_MAX}, {QString(10000, u'9'), inf, INT_MAX},
            {"-" + QString(10000, u'9'), -inf, INT_MIN}};
        for (const auto &[text, expected, tick] : rows)
            QTest::addRow("%s", qPrintable(text.left(12))) << text << expected << tick;
    }
    void leadingNumber()
    {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QFETCH(int, tickLength);
        QCOMPARE(orv::leadingNumber(text), expected);
        QCOMPARE(orv::tickLength(text), tickLength);
    }

    // Each row: a count, its text by the plain rule (floor division below
    // zero: what is left within the hour), and its signed text.
    void durationTexts_data()
    {
        QTest::addColumn<qint64>("seconds");
        QTest::addColumn<QString>("plain");
        QTest::addColumn<QString>("signedText");
        const QList<std::tuple<qint64, const char *, const char *>> rows{
            {0, "0", "0"}, {1, "1", "1"}, {59, "59", "59"}, {60, "1:00", "1:00"}, {61, "1:01", "1:01"},
            {210, "3:30", "3:30"}, {3599, "59:59", "59:59"}, {3600, "1:00:00", "1:00:00"},
            {3661, "1:01:01", "1:01:01"}, {12599, "3:29:59", "3:29:59"}, {36000, "10:00:00", "10:00:00"},
            {INT_MAX, "596523:14:07", "596523:14:07"}, {-1, "59:59", "-1"}, {-61, "58:59", "-1:01"},
            {-3541, "59", "-59:01"}, {-3600, "0", "-1:00:00"}, {INT_MIN, "45:52", "-596523:14:08"},
            {LLONG_MIN, "29:52", "-2562047788015215:30:07"}};
        for (const auto &[seconds, plain, signedText] : rows)
            QTest::addRow("%lld", seconds) << seconds << QString(plain) << QString(signedText);
    }
    void durationTexts()
    {
        QFETCH(qint64, seconds);
        QFETCH(QString, plain);
        QFETCH(QString, signedText);
        QCOMPARE(durationText(seconds), plain);
        QCOMPARE(signedDurationText(seconds), signedText);
    }

    // Edges are converted, not sizes: bars edge to edge in twips stay edge
    // to edge in pixels, halves going to the even pixel.
    void twips_data()
    {
        QTest::addColumn<QRect>("twips");
        QTest::addColumn<QRect>("pixels");
        QTest::newRow("a cell") << QRect(135, 270, 135, 135) << QRect(9, 18, 9, 9);
        QTest::newRow("5 twips wide") << QRect(0, 0, 5, 75) << QRect(0, 0, 0, 5);
        QTest::newRow("10 twips wide") << QRect(0, 0, 10, 75) << QRect(0, 0, 1, 5);
        QTest::newRow("a bar") << QRect(270, 240, 1800, 75) << QRect(18, 16, 120, 5);
        QTest::newRow("its neighbour") << QRect(2070, 247, 1207, 75) << QRect(138, 16, 80, 5);
    }
    void twips()
    {
        QFETCH(QRect, twips);
        QFETCH(QRect, pixels);
        QCOMPARE(twipsToPx(twips), pixels);
    }

    // "②" and "①" with the opening cue, then the start, which begins the
    // count again. Each row: the tick, its digit and cue, whether the run
    // starts, and the step after it.
    void startCountdown_data()
    {
        QTest::addColumn<int>("tick");
        QTest::addColumn<QString>("digit");
        QTest::addColumn<QString>("cue");
        QTest::addColumn<bool>("starts");
        QTest::addColumn<int>("step");
        const QList<std::tuple<int, const char *, const char *, bool, int>> rows{
            {1, "②", "s01.wav", false, 1}, {2, "①", "s01.wav", false, 2}, {3, "", "s03.wav", true, 0},
            {4, "②", "s01.wav", false, 1}};
        for (const auto &[tick, digit, cue, starts, step] : rows)
            QTest::addRow("%d", tick) << tick << QString(digit) << QString(cue) << starts << step;
    }
    void startCountdown()
    {
        QFETCH(int, tick);
        QFETCH(QString, digit);
        QFETCH(QString, cue);
        QFETCH(bool, starts);
        QFETCH(int, step);
        StartCountdown countdown;
        StartCountdown::Tick last;
        for (int i = 0; i < tick; ++i)
            last = countdown.tick();
        QCOMPARE(last.digit, digit);
        QCOMPARE(last.cue, cue);
        QCOMPARE(last.starts, starts);
        QCOMPARE(countdown.step(), step);
    }

    // Unlike QTimer, interval 0 gives no ticks and no spinning; nor does a
    // negative interval. The interval reads back as set, and a positive one
    // resumes the enabled timer.
    void nonPositiveIntervalNeitherTicksNorSpins_data()
    {
        QTest::addColumn<int>("interval");
        for (const int interval : {0, -5, INT_MIN})
            QTest::addRow("%d", interval) << interval;
    }
    void nonPositiveIntervalNeitherTicksNorSpins()
    {
        QFETCH(int, interval);
        PeriodicTimer t(QStringLiteral("Timer3"));
        QSignalSpy ticks(&t, &PeriodicTimer::timeout);
        QVERIFY(t.setProperty("enabled", true));
        QVERIFY(t.setProperty("interval", interval));
        QVERIFY(!t.isTicking());
        // A zero QTimer would fire on every pass of the event loop.
        for (int pass = 0; pass < 5; ++pass)
            QCoreApplication::processEvents();
        QCOMPARE(ticks.count(), 0);
        QCOMPARE(t.property("interval").toInt(), interval);
        t.setInterval(5);
        QTRY_VERIFY(ticks.count() >= 2);
        t.setEnabled(false);
        QVERIFY(!t.isTicking());
        QCOMPARE(t.interval(), 5);
    }

    // Rewriting the same values must not restart a running period: rewrites
    // faster than the period would keep the tick from ever arriving.
    void rewritingTheSameValuesKeepsThePeriod()
    {
        PeriodicTimer t(QStringLiteral("Timer2"));
        QSignalSpy changes(&t, &PeriodicTimer::intervalChanged);
        t.setInterval(10000);
        t.setEnabled(true);
        QTest::qWait(100); // some of the period passes
        t.setInterval(10000);
        t.setEnabled(true);
        const QList<QAbstractEventDispatcher::TimerInfo> timers =
            QAbstractEventDispatcher::instance()->registeredTimers(&t);
        QCOMPARE(timers.size(), 1);
        QVERIFY(QAbstractEventDispatcher::instance()->remainingTime(timers.first().timerId) <= 9900);
        QCOMPARE(changes.count(), 1);
    }
};

QTEST_GUILESS_MAIN(TestRules)
#include "tst_rules.moc"
