#include "common/periodictimer.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QTest>

#include <climits>
#include <ctime>

using namespace orv;

namespace {
// Runs the event loop for a while and reports the CPU time it burnt, so that
// a timer that fires on every pass of the loop shows up as spinning.
double cpuMsWhileWaiting(int ms)
{
    const std::clock_t start = std::clock();
    QTest::qWait(ms);
    return 1000.0 * double(std::clock() - start) / CLOCKS_PER_SEC;
}
} // namespace

class TestPeriodicTimer : public QObject
{
    Q_OBJECT

private slots:
    void startsDisabledWithIntervalZero()
    {
        PeriodicTimer t(QStringLiteral("Timer1"));
        QCOMPARE(t.objectName(), QStringLiteral("Timer1"));
        QCOMPARE(t.property("interval").toInt(), 0);
        QCOMPARE(t.property("enabled").toBool(), false);
    }

    void ticksWhenEnabledWithPositiveInterval()
    {
        PeriodicTimer t(QStringLiteral("Timer1"));
        QSignalSpy ticks(&t, &PeriodicTimer::timeout);
        t.setInterval(5);
        t.setEnabled(true);
        QTRY_VERIFY_WITH_TIMEOUT(ticks.count() >= 3, 2000);
    }

    // Interval 0 and negative intervals give no ticks and do not spin.
    void nonPositiveIntervalGivesNoTicks_data()
    {
        QTest::addColumn<int>("interval");
        QTest::newRow("zero") << 0;
        QTest::newRow("negative") << -5;
        QTest::newRow("most negative") << INT_MIN;
    }
    void nonPositiveIntervalGivesNoTicks()
    {
        QFETCH(int, interval);
        PeriodicTimer t(QStringLiteral("Timer1"));
        QSignalSpy ticks(&t, &PeriodicTimer::timeout);
        t.setEnabled(true);
        t.setInterval(interval);
        QVERIFY(!t.isTicking());
        QVERIFY(cpuMsWhileWaiting(100) < 50);
        QCOMPARE(ticks.count(), 0);
        QCOMPARE(t.interval(), interval); // reports the value set
        QVERIFY(t.isEnabled());
    }

    void positiveIntervalResumesAnEnabledTimer()
    {
        PeriodicTimer t(QStringLiteral("Timer1"));
        QSignalSpy ticks(&t, &PeriodicTimer::timeout);
        t.setInterval(5);
        t.setEnabled(true);
        t.setInterval(0);
        QTest::qWait(30);
        QCOMPARE(ticks.count(), 0);
        t.setInterval(5);
        QTRY_VERIFY_WITH_TIMEOUT(ticks.count() >= 1, 2000);
    }

    void enablingNeverChangesTheInterval()
    {
        PeriodicTimer t(QStringLiteral("Timer2"));
        QSignalSpy intervalChanges(&t, &PeriodicTimer::intervalChanged);
        t.setInterval(1000);
        t.setEnabled(true);
        t.setEnabled(false);
        t.setEnabled(true);
        QCOMPARE(t.interval(), 1000);
        QCOMPARE(intervalChanges.count(), 1);
        t.setEnabled(false);
        QVERIFY(!t.isTicking());
        QCOMPARE(t.interval(), 1000);
    }

    void disabledTimerNeverTicks()
    {
        PeriodicTimer t(QStringLiteral("Timer1"));
        QSignalSpy ticks(&t, &PeriodicTimer::timeout);
        t.setInterval(1);
        QTest::qWait(20);
        QCOMPARE(ticks.count(), 0);
    }

    void hugeIntervalIsAcceptedWithoutTicking()
    {
        PeriodicTimer t(QStringLiteral("Timer1"));
        QSignalSpy ticks(&t, &PeriodicTimer::timeout);
        t.setInterval(INT_MAX);
        t.setEnabled(true);
        QVERIFY(t.isTicking());
        QVERIFY(cpuMsWhileWaiting(100) < 50);
        QCOMPARE(ticks.count(), 0);
        QCOMPARE(t.property("interval").toInt(), INT_MAX);
    }

    // Rewriting the same interval must not restart a running period.
    void sameIntervalDoesNotRestart()
    {
        PeriodicTimer t(QStringLiteral("Timer1"));
        QSignalSpy ticks(&t, &PeriodicTimer::timeout);
        t.setInterval(60);
        t.setEnabled(true);
        // Rewrites come faster than the period: a restart on each would
        // keep the tick from ever arriving.
        for (int i = 0; i < 10; ++i) {
            QTest::qWait(15);
            t.setInterval(60);
            t.setEnabled(true);
        }
        QVERIFY2(ticks.count() >= 1, "a rewrite restarted the period");
    }

    void propertiesDriveTheTimer()
    {
        PeriodicTimer t(QStringLiteral("Timer3"));
        QSignalSpy ticks(&t, &PeriodicTimer::timeout);
        QVERIFY(t.setProperty("interval", 5));
        QVERIFY(t.setProperty("enabled", true));
        QTRY_VERIFY_WITH_TIMEOUT(ticks.count() >= 1, 2000);
    }
};

QTEST_GUILESS_MAIN(TestPeriodicTimer)
#include "tst_periodictimer.moc"
