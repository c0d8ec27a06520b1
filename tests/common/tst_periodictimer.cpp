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
    // Driven through its properties, as outside tools do: it ticks only while
    // enabled with a positive interval, and a return to a positive interval
    // resumes it.
    void ticksOnlyWhenEnabledWithAPositiveInterval()
    {
        PeriodicTimer t(QStringLiteral("Timer1"));
        QCOMPARE(t.objectName(), QStringLiteral("Timer1"));
        QCOMPARE(t.property("interval").toInt(), 0);
        QCOMPARE(t.property("enabled").toBool(), false);
        QSignalSpy ticks(&t, &PeriodicTimer::timeout);
        QVERIFY(t.setProperty("interval", 5));
        QTest::qWait(30);
        QCOMPARE(ticks.count(), 0);
        QVERIFY(t.setProperty("enabled", true));
        QTRY_VERIFY_WITH_TIMEOUT(ticks.count() >= 2, 2000);
        t.setInterval(0);
        ticks.clear();
        QTest::qWait(30);
        QCOMPARE(ticks.count(), 0);
        QVERIFY(t.isEnabled());
        t.setInterval(5);
        QTRY_VERIFY_WITH_TIMEOUT(ticks.count() >= 1, 2000);
        t.setEnabled(false);
        QVERIFY(!t.isTicking());
        QCOMPARE(t.interval(), 5); // enabling and disabling never change it
    }

    // Unlike QTimer, interval 0 gives no ticks and no spinning; nor does a
    // negative interval. The interval reads back as set.
    void nonPositiveIntervalNeitherTicksNorSpins_data()
    {
        QTest::addColumn<int>("interval");
        QTest::newRow("zero") << 0;
        QTest::newRow("negative") << -5;
        QTest::newRow("most negative") << INT_MIN;
        QTest::newRow("largest") << INT_MAX;
    }
    void nonPositiveIntervalNeitherTicksNorSpins()
    {
        QFETCH(int, interval);
        PeriodicTimer t(QStringLiteral("Timer3"));
        QSignalSpy ticks(&t, &PeriodicTimer::timeout);
        t.setEnabled(true);
        t.setInterval(interval);
        QCOMPARE(t.isTicking(), interval > 0);
        const std::clock_t start = std::clock();
        QTest::qWait(100);
        QVERIFY(1000.0 * double(std::clock() - start) / CLOCKS_PER_SEC < 50);
        QCOMPARE(ticks.count(), 0);
        QCOMPARE(t.interval(), interval);
    }

    // Rewriting the same values must not restart a running period: rewrites
    // faster than the period would keep the tick from ever arriving.
    void rewritingTheSameValuesKeepsThePeriod()
    {
        PeriodicTimer t(QStringLiteral("Timer2"));
        QSignalSpy ticks(&t, &PeriodicTimer::timeout);
        QSignalSpy changes(&t, &PeriodicTimer::intervalChanged);
        t.setInterval(60);
        t.setEnabled(true);
        for (int i = 0; i < 10; ++i) {
            QTest::qWait(15);
            t.setInterval(60);
            t.setEnabled(true);
        }
        QVERIFY2(ticks.count() >= 1, "a rewrite restarted the period");
        QCOMPARE(changes.count(), 1);
    }
};

QTEST_GUILESS_MAIN(TestPeriodicTimer)
#include "tst_periodictimer.moc"
