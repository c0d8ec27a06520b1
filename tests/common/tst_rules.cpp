// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The rules every window shares: rounding, the reading of typed numbers,
// duration texts, twips, the start countdown and the periodic timer.

#include "common/cuefile.h"
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

namespace {
// A typed text: the number it begins with, and the tick length it gives.
struct NumberRow
{
    QString text;
    double number = 0;
    int tickLength = 0;
};

// After a number of the countdown clock's ticks: the cover's digit, the cue,
// whether the run starts, and the step.
struct CountdownRow
{
    int ticks;
    const char *digit;
    Cue cue;
    bool starts = false;
    int step;
};
} // namespace

Q_DECLARE_METATYPE(NumberRow)
Q_DECLARE_METATYPE(CountdownRow)

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
            {2147483647.0, INT_MAX}, {2147483648.0, INT_MAX}, {-1e12, INT_MIN}, {inf, INT_MAX}, {-inf, INT_MIN}, {std::nan(""), 0}};
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
        QTest::addColumn<NumberRow>("row");
        const double inf = std::numeric_limits<double>::infinity();
        const QList<NumberRow> rows{
            {.text = "1 5", .number = 15, .tickLength = 15}, {.text = "1,5", .number = 1, .tickLength = 1},
            {.text = "3分", .number = 3, .tickLength = 3}, {.text = "abc"},
            {.text = " - 2 .5x", .number = -2.5, .tickLength = -2}, {.text = "1e1", .number = 1, .tickLength = 1},
            {.text = "0.005", .number = 0.005}, {.text = "\t1\n2", .number = 12, .tickLength = 12},
            {.text = "1\r2", .number = 1, .tickLength = 1}, {.text = "+4.5", .number = 4.5, .tickLength = 4},
            {.text = "1.2.3", .number = 1.2, .tickLength = 1}, {.text = ".5", .number = 0.5}, {.text = "."},
            {.text = "+-1"}, {.text = "1-2", .number = 1, .tickLength = 1}, {.text = "３"}, {.text = "　3"},
            {.text = "-0"}, {.text = "3.5", .number = 3.5, .tickLength = 4}, {.text = "120ms", .number = 120, .tickLength = 120},
            {.text = ""}, {.text = QString(400, u'0') + "7", .number = 7, .tickLength = 7}, {.text = "0." + QString(400, u'0') + "1"},
            {.text = "1000000000000", .number = 1e12, .tickLength = INT_MAX},
            {.text = QString(10000, u'9'), .number = inf, .tickLength = INT_MAX},
            {.text = "-" + QString(10000, u'9'), .number = -inf, .tickLength = INT_MIN}};
        for (const NumberRow &row : rows)
            QTest::addRow("%s", qPrintable(row.text.left(12))) << row;
    }
    void leadingNumber()
    {
        QFETCH(NumberRow, row);
        QCOMPARE(orv::leadingNumber(row.text), row.number);
        QCOMPARE(orv::tickLength(row.text), row.tickLength);
    }

    // A count and its text; a negative count, an overrun, with "-".
    void durationTexts_data()
    {
        QTest::addColumn<qlonglong>("seconds");
        QTest::addColumn<QString>("text");
        const QList<std::pair<qlonglong, const char *>> rows{
            {0, "0"}, {1, "1"}, {59, "59"}, {60, "1:00"}, {61, "1:01"}, {210, "3:30"}, {3599, "59:59"},
            {3600, "1:00:00"}, {3661, "1:01:01"}, {12599, "3:29:59"}, {36000, "10:00:00"}, {INT_MAX, "596523:14:07"},
            {-1, "-1"}, {-61, "-1:01"}, {-3541, "-59:01"}, {-3600, "-1:00:00"}, {INT_MIN, "-596523:14:08"},
            {LLONG_MIN, "-2562047788015215:30:07"}};
        for (const auto &[seconds, text] : rows)
            QTest::addRow("%lld", seconds) << seconds << QString(text);
    }
    void durationTexts()
    {
        QFETCH(qlonglong, seconds);
        QFETCH(QString, text);
        QCOMPARE(durationText(seconds), text);
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

    // "③" as the window opens; "②" and "①" with the same cue, then the start
    // with its own, which begins the count again.
    void startCountdown_data()
    {
        QTest::addColumn<CountdownRow>("row");
        QTest::newRow("0") << CountdownRow{.ticks = 0, .digit = "③", .cue = Cue::Countdown, .step = 0};
        QTest::newRow("1") << CountdownRow{.ticks = 1, .digit = "②", .cue = Cue::Countdown, .step = 1};
        QTest::newRow("2") << CountdownRow{.ticks = 2, .digit = "①", .cue = Cue::Countdown, .step = 2};
        QTest::newRow("3") << CountdownRow{.ticks = 3, .digit = "", .cue = Cue::Start, .starts = true, .step = 0};
        QTest::newRow("4") << CountdownRow{.ticks = 4, .digit = "②", .cue = Cue::Countdown, .step = 1};
    }
    void startCountdown()
    {
        QFETCH(CountdownRow, row);
        StartCountdown countdown;
        StartCountdown::Step last = StartCountdown::opening();
        for (int i = 0; i < row.ticks; ++i)
            last = countdown.tick();
        QCOMPARE(last.digit, QString(row.digit));
        QCOMPARE(cueFile(last.cue), cueFile(row.cue));
        QCOMPARE(last.starts, row.starts);
        QCOMPARE(countdown.step(), row.step);
    }

    // Unlike QTimer, interval 0 gives no ticks and no spinning; nor does a
    // negative interval. The interval reads back as set, and a positive one,
    // however short, resumes the enabled timer.
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
        QVERIFY(QAbstractEventDispatcher::instance()->registeredTimers(&t).isEmpty());
        // A zero QTimer would fire on every pass of the event loop.
        for (int pass = 0; pass < 5; ++pass)
            QCoreApplication::processEvents();
        QCOMPARE(ticks.count(), 0);
        QCOMPARE(t.property("interval").toInt(), interval);
        t.setInterval(1);
        QTRY_VERIFY(ticks.count() >= 2); // the real timer under test ticks
        t.setEnabled(false);
        QVERIFY(QAbstractEventDispatcher::instance()->registeredTimers(&t).isEmpty());
        QCOMPARE(t.interval(), 1);
    }

    // Rewriting the same values must not restart a running period: rewrites
    // faster than the period would keep the tick from ever arriving.
    void rewritingTheSameValuesKeepsThePeriod()
    {
        PeriodicTimer t(QStringLiteral("Timer2"));
        QSignalSpy changes(&t, &PeriodicTimer::intervalChanged), enables(&t, &PeriodicTimer::enabledChanged);
        t.setInterval(10000);
        t.setEnabled(true);
        QTest::qWait(100); // some of the real timer's period passes
        t.setInterval(10000);
        t.setEnabled(true);
        const QList<QAbstractEventDispatcher::TimerInfo> timers = QAbstractEventDispatcher::instance()->registeredTimers(&t);
        QCOMPARE(timers.size(), 1);
        QVERIFY(QAbstractEventDispatcher::instance()->remainingTime(timers.first().timerId) <= 9900);
        QCOMPARE(changes.count(), 1);
        QCOMPARE(enables.count(), 1);
    }
};

QTEST_GUILESS_MAIN(TestRules)
#include "tst_rules.moc"
