#include "multiple_choice/debounce.h"
#include "multiple_choice/pace.h"
#include "multiple_choice/processing.h"

#include <QTest>

#include <climits>

using namespace orv;

// The arithmetic of the multiple-choice family, without windows.
class TestPace : public QObject
{
    Q_OBJECT

private slots:
    void savedTime_data()
    {
        QTest::addColumn<int>("totalCnt");
        QTest::addColumn<int>("doneCnt");
        QTest::addColumn<int>("lpDivTime");
        QTest::addColumn<QString>("divTimeText");
        QTest::addColumn<QString>("saved");
        QTest::newRow("start") << 0 << 0 << 210 << "3:30" << "-";
        QTest::newRow("first second") << 1 << 0 << 210 << "3:30" << "-";
        QTest::newRow("one done at 100") << 100 << 1 << 212 << "3:32" << "1:50";
        QTest::newRow("half to even up") << 1 << 58 << 6300 << "1:45:00" << "3:22:59";
        QTest::newRow("half to even down") << 3 << 58 << 6298 << "1:44:58" << "3:22:57";
        QTest::newRow("all done in the countdown") << 0 << 59 << 12600 << "3:30:00" << "3:26:30";
        QTest::newRow("under a second") << 12599 << 0 << 0 << "0" << "-";
        QTest::newRow("half a second") << 12570 << 0 << 0 << "0" << "-";
        QTest::newRow("a second and a half") << 12510 << 0 << 2 << "2" << "-";
        QTest::newRow("advantage exactly 0") << 210 << 1 << 210 << "3:30" << "-";
    }
    void savedTime()
    {
        QFETCH(int, totalCnt);
        QFETCH(int, doneCnt);
        QFETCH(int, lpDivTime);
        QFETCH(QString, divTimeText);
        QFETCH(QString, saved);
        const pace::SavedTime result = pace::GetSavedTime(totalCnt, doneCnt);
        QCOMPARE(result.lpDivTime, lpDivTime);
        QCOMPARE(result.divTimeText, divTimeText);
        QCOMPARE(result.savedText, saved);
    }

    void savedTimeNeverDividesByZero()
    {
        QCOMPARE(pace::GetSavedTime(0, 60).lpDivTime, 0);
        // Counters far outside the paper neither overflow nor crash.
        QCOMPARE(pace::GetSavedTime(INT_MAX, 0).savedText, QStringLiteral("-"));
        QCOMPARE(pace::GetSavedTime(INT_MIN, 59).lpDivTime, INT_MAX);
    }

    void restTime_data()
    {
        QTest::addColumn<int>("ecnt");
        QTest::addColumn<int>("tcnt");
        QTest::addColumn<QString>("slot");
        QTest::addColumn<QString>("total");
        QTest::newRow("slot start") << 0 << 0 << "3:30" << "3:30:00";
        QTest::newRow("Ecnt 150") << 150 << 9000 << "1:00" << "1:00:00";
        QTest::newRow("Ecnt 151") << 151 << 9001 << "59" << "59:59";
        QTest::newRow("Ecnt 209") << 209 << 12599 << "1" << "1";
        QTest::newRow("first tick") << 1 << 1 << "3:29" << "3:29:59";
    }
    void restTime()
    {
        QFETCH(int, ecnt);
        QFETCH(int, tcnt);
        QFETCH(QString, slot);
        QFETCH(QString, total);
        QString e, t;
        pace::GetRestTime(ecnt, tcnt, e, t);
        QCOMPARE(e, slot);
        QCOMPARE(t, total);
    }

    void refresh_data()
    {
        QTest::addColumn<QString>("counter");
        QTest::addColumn<int>("divTime");
        QTest::addColumn<QString>("elapsed");
        QTest::addColumn<QString>("requiredText");
        QTest::addColumn<bool>("requiredRed");
        QTest::addColumn<int>("requiredBar");
        QTest::addColumn<QString>("standardText");
        QTest::addColumn<bool>("standardRed");
        QTest::addColumn<int>("standardBar");
        QTest::addColumn<bool>("cue");
        QTest::newRow("0/210") << "0" << 210 << "0" << "3:30" << false << 1050 << "3:30" << false << 1050 << false;
        QTest::newRow("95/250") << "95" << 250 << "1:35" << "2:35" << false << 775 << "1:55" << false << 575 << false;
        QTest::newRow("150/180") << "150" << 180 << "2:30" << "30" << false << 150 << "1:00" << false << 300 << false;
        QTest::newRow("210/180") << "210" << 180 << "3:30" << "-30" << true << 150 << "0" << false << 0 << true;
        QTest::newRow("211/180") << "211" << 180 << "3:31" << "-31" << true << 155 << "-1" << true << 5 << false;
        QTest::newRow("3700/200") << "3700" << 200 << "1:01:40" << "-58:20" << true << 17500 << "-58:10" << true << 17450 << false;
        QTest::newRow("budget met exactly") << "180" << 180 << "3:00" << "0" << false << 0 << "30" << false << 150 << false;
        QTest::newRow("2.5 rounds to 2") << "2.5" << 210 << "2" << "3:28" << false << 1040 << "3:28" << false << 1040 << false;
        QTest::newRow("209.5 rounds to 210") << "209.5" << 210 << "3:30" << "0" << false << 0 << "0" << false << 0 << true;
        QTest::newRow("no number") << "abc" << 210 << "0" << "3:30" << false << 1050 << "3:30" << false << 1050 << false;
        QTest::newRow("negative counter") << "-5" << 210 << "0" << "3:35" << false << 1075 << "3:35" << false << 1075 << false;
        QTest::newRow("huge counter") << QString(400, u'9') << 210 << "596523:14:07" << "-596523:10:37" << true << INT_MAX
                                      << "-596523:10:37" << true << INT_MAX << false;
    }
    void refresh()
    {
        QFETCH(QString, counter);
        QFETCH(int, divTime);
        QFETCH(QString, elapsed);
        QFETCH(QString, requiredText);
        QFETCH(bool, requiredRed);
        QFETCH(int, requiredBar);
        QFETCH(QString, standardText);
        QFETCH(bool, standardRed);
        QFETCH(int, standardBar);
        QFETCH(bool, cue);
        const processing::Refresh r = processing::refresh(counter, divTime);
        QCOMPARE(r.elapsedText, elapsed);
        QCOMPARE(r.required.text, requiredText);
        QCOMPARE(r.required.overrun, requiredRed);
        QCOMPARE(r.required.barTwips, requiredBar);
        QCOMPARE(r.standard.text, standardText);
        QCOMPARE(r.standard.overrun, standardRed);
        QCOMPARE(r.standard.barTwips, standardBar);
        QCOMPARE(r.cue, cue);
    }

    void pressReadingRoundsHalfToEven_data()
    {
        QTest::addColumn<QTime>("time");
        QTest::addColumn<int>("reading");
        QTest::newRow("midnight") << QTime(0, 0) << 0;
        QTest::newRow("100.5 to 100") << QTime(0, 1, 40, 500) << 100;
        QTest::newRow("101.5 to 102") << QTime(0, 1, 41, 500) << 102;
        QTest::newRow("101.4") << QTime(0, 1, 41, 400) << 101;
        QTest::newRow("last half second of the day") << QTime(23, 59, 59, 500) << 86400;
    }
    void pressReadingRoundsHalfToEven()
    {
        QFETCH(QTime, time);
        QFETCH(int, reading);
        QCOMPARE(pressReading(time), reading);
    }

    // Each row: the reading of the last accepted press (or -1 for none yet),
    // the reading of a new press, and whether it counts.
    void debounce_data()
    {
        QTest::addColumn<int>("previous");
        QTest::addColumn<int>("reading");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("first press") << -1 << 50000 << true;
        QTest::newRow("first press just after midnight") << -1 << 1 << true;
        QTest::newRow("first press at midnight") << -1 << 0 << true;
        QTest::newRow("one second") << 100 << 101 << false;
        QTest::newRow("same second") << 100 << 100 << false;
        QTest::newRow("two seconds") << 100 << 102 << true;
        QTest::newRow("an hour") << 100 << 3700 << true;
        QTest::newRow("across midnight, 2 s") << 86399 << 1 << true;
        QTest::newRow("across midnight, 1 s") << 86399 << 0 << false;
        QTest::newRow("from the rounded-up last half second") << 86400 << 2 << true;
        QTest::newRow("from the rounded-up last half second, 1 s") << 86400 << 1 << false;
        QTest::newRow("hours after midnight") << 80000 << 30000 << true;
    }
    void debounce()
    {
        QFETCH(int, previous);
        QFETCH(int, reading);
        QFETCH(bool, accepted);
        PressDebounce d;
        if (previous >= 0) {
            QVERIFY(d.press(previous));
            d.accepted(previous);
        }
        QCOMPARE(d.press(reading), accepted);
        QCOMPARE(d.thisPress(), reading);
        QCOMPARE(d.prevPress(), previous >= 0 ? previous : 0);
    }
};

QTEST_APPLESS_MAIN(TestPace)
#include "tst_pace.moc"
