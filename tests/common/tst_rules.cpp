// The rules every window shares: rounding, the reading of typed numbers,
// duration texts, twips and the periodic timer.

#include "common/numbers.h"
#include "common/periodictimer.h"
#include "common/timetext.h"
#include "common/twips.h"

#include <QSignalSpy>
#include <QTest>

#include <climits>
#include <cmath>
#include <ctime>
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

    void leadingNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        const QList<std::pair<QString, double>> rows{
            {"1 5", 15}, {"1,5", 1}, {"3分", 3}, {"abc", 0}, {" - 2 .5x", -2.5}, {"1e1", 1}, {"0.005", 0.005},
            {"\t1\n2", 12}, {"1\r2", 1}, {"+4.5", 4.5}, {"1.2.3", 1.2}, {".5", 0.5}, {".", 0}, {"+-1", 0},
            {"1-2", 1}, {"３", 0}, {"　3", 0}, {"-0", 0}, {QString(400, u'0') + "7", 7},
            {"0." + QString(400, u'0') + "1", 0}, {"1000000000000", 1e12},
            {QString(10000, u'9'), std::numeric_limits<double>::infinity()},
            {"-" + QString(10000, u'9'), -std::numeric_limits<double>::infinity()}};
        for (const auto &[text, expected] : rows)
            QTest::addRow("%s", qPrintable(text.left(12))) << text << expected;
    }
    void leadingNumber()
    {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QCOMPARE(orv::leadingNumber(text), expected);
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
            {-3541, "59", "-59:01"}, {-3600, "0", "-1:00:00"}, {INT_MIN, "45:52", "-596523:14:08"}};
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
        QCOMPARE(signedDurationText(LLONG_MIN), QStringLiteral("-2562047788015215:30:07"));
    }

    // Edges are converted, not sizes: bars edge to edge in twips stay edge
    // to edge in pixels, halves going to the even pixel.
    void twips()
    {
        const QList<std::pair<QRect, QRect>> rows{
            {{0, 0, 4680, 3195}, {0, 0, 312, 213}}, {{135, 270, 135, 135}, {9, 18, 9, 9}}, {{0, 0, 5, 75}, {0, 0, 0, 5}},
            {{0, 0, 10, 75}, {0, 0, 1, 5}}, {{270, 240, 1800, 75}, {18, 16, 120, 5}},
            {{2070, 247, 1207, 75}, {138, 16, 80, 5}}, {{-30, -8, 60, 0}, {-2, -1, 4, 0}}};
        for (const auto &[twips, pixels] : rows)
            QCOMPARE(twipsToPx(twips), pixels);
        QCOMPARE(pxToTwips(312), 4680);
        QCOMPARE(pxToTwips(INT_MAX), INT_MAX);
        QCOMPARE(pxToTwips(INT_MIN), INT_MIN);
    }

    // Unlike QTimer, interval 0 gives no ticks and no spinning; nor does a
    // negative interval. The interval reads back as set, and a positive one
    // resumes the enabled timer.
    void nonPositiveIntervalNeitherTicksNorSpins_data()
    {
        QTest::addColumn<int>("interval");
        for (const int interval : {0, -5, INT_MIN, INT_MAX})
            QTest::addRow("%d", interval) << interval;
    }
    void nonPositiveIntervalNeitherTicksNorSpins()
    {
        QFETCH(int, interval);
        PeriodicTimer t(QStringLiteral("Timer3"));
        QSignalSpy ticks(&t, &PeriodicTimer::timeout);
        QVERIFY(t.setProperty("enabled", true));
        QVERIFY(t.setProperty("interval", interval));
        QCOMPARE(t.isTicking(), interval > 0);
        const std::clock_t start = std::clock();
        QTest::qWait(100);
        QVERIFY(1000.0 * double(std::clock() - start) / CLOCKS_PER_SEC < 50);
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
        QSignalSpy ticks(&t, &PeriodicTimer::timeout);
        QSignalSpy changes(&t, &PeriodicTimer::intervalChanged);
        for (int i = 0; i < 10; ++i) {
            t.setInterval(60);
            t.setEnabled(true);
            QTest::qWait(15);
        }
        QVERIFY2(ticks.count() >= 1 && changes.count() == 1, "a rewrite restarted the period");
    }
};

QTEST_GUILESS_MAIN(TestRules)
#include "tst_rules.moc"
