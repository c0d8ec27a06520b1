#include "common/periodictimer.h"

#include <QSignalSpy>
#include <QTest>

#include <climits>
#include <ctime>

using namespace orv;

class TestPeriodicTimer : public QObject
{
    Q_OBJECT

private slots:
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

QTEST_GUILESS_MAIN(TestPeriodicTimer)
#include "tst_periodictimer.moc"
