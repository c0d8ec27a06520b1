#include "common/timetext.h"

#include <QRegularExpression>
#include <QTest>

#include <climits>
#include <cstdio>

using namespace orv;

// Examples are the windows' own: pace figures, per-question rows, essay
// texts and the countdown display.
class TestTimeText : public QObject
{
    Q_OBJECT

private slots:
    void durationText_data()
    {
        QTest::addColumn<qint64>("seconds");
        QTest::addColumn<QString>("expected");
        QTest::newRow("0") << qint64(0) << "0";
        QTest::newRow("1") << qint64(1) << "1";
        QTest::newRow("59") << qint64(59) << "59";
        QTest::newRow("60") << qint64(60) << "1:00";
        QTest::newRow("61") << qint64(61) << "1:01";
        QTest::newRow("standard slot 210") << qint64(210) << "3:30";
        QTest::newRow("slot at Ecnt 150") << qint64(60) << "1:00";
        QTest::newRow("212 per question") << qint64(212) << "3:32";
        QTest::newRow("advantage 110") << qint64(110) << "1:50";
        QTest::newRow("3599") << qint64(3599) << "59:59";
        QTest::newRow("3600") << qint64(3600) << "1:00:00";
        QTest::newRow("3661") << qint64(3661) << "1:01:01";
        QTest::newRow("6300") << qint64(6300) << "1:45:00";
        QTest::newRow("6298") << qint64(6298) << "1:44:58";
        QTest::newRow("advantage 12390") << qint64(12390) << "3:26:30";
        QTest::newRow("paper 12600") << qint64(12600) << "3:30:00";
        QTest::newRow("paper at Tcnt 1") << qint64(12599) << "3:29:59";
        QTest::newRow("essay run 7200") << qint64(7200) << "2:00:00";
        QTest::newRow("countdown 5400") << qint64(5400) << "1:30:00";
        QTest::newRow("countdown 35999") << qint64(35999) << "9:59:59";
        QTest::newRow("countdown 36000") << qint64(36000) << "10:00:00";
        QTest::newRow("int max") << qint64(INT_MAX) << "596523:14:07";
    }
    void durationText()
    {
        QFETCH(qint64, seconds);
        QFETCH(QString, expected);
        QCOMPARE(orv::durationText(seconds), expected);
    }

    // Counts past an hour boundary read by floor division: during the second
    // essay question the count to the end of the first hour is negative and
    // the text shows what is left of the second hour.
    void floorDivisionForNegativeCounts_data()
    {
        QTest::addColumn<qint64>("seconds");
        QTest::addColumn<QString>("expected");
        QTest::newRow("t 3601: e -1") << qint64(-1) << "59:59";
        QTest::newRow("t 3660: e -60") << qint64(-60) << "59:00";
        QTest::newRow("t 3661: e -61") << qint64(-61) << "58:59";
        QTest::newRow("t 7140: e -3540") << qint64(-3540) << "1:00";
        QTest::newRow("t 7141: e -3541") << qint64(-3541) << "59";
        QTest::newRow("t 7199: e -3599") << qint64(-3599) << "1";
        QTest::newRow("t 3600: e 0") << qint64(0) << "0";
    }
    void floorDivisionForNegativeCounts()
    {
        QFETCH(qint64, seconds);
        QFETCH(QString, expected);
        QCOMPARE(orv::durationText(seconds), expected);
    }

    void signedDurationText_data()
    {
        QTest::addColumn<qint64>("seconds");
        QTest::addColumn<QString>("expected");
        QTest::newRow("0") << qint64(0) << "0";
        QTest::newRow("7") << qint64(7) << "7";
        QTest::newRow("60") << qint64(60) << "1:00";
        QTest::newRow("12600") << qint64(12600) << "3:30:00";
        QTest::newRow("-1") << qint64(-1) << "-1";
        QTest::newRow("-95") << qint64(-95) << "-1:35";
        QTest::newRow("-3600") << qint64(-3600) << "-1:00:00";
        QTest::newRow("int min") << qint64(INT_MIN) << "-596523:14:08";
        QTest::newRow("64-bit min") << qint64(LLONG_MIN) << "-2562047788015215:30:07";
    }
    void signedDurationText()
    {
        QFETCH(qint64, seconds);
        QFETCH(QString, expected);
        QCOMPARE(orv::signedDurationText(seconds), expected);
    }

    // The texts are written digit by digit; printf is the reference, down to
    // signs inside padded fields and the extremes of the range.
    void composedAsPrintfWould_data()
    {
        QTest::addColumn<qint64>("h");
        QTest::addColumn<qint64>("m");
        QTest::addColumn<qint64>("s");
        QTest::newRow("zero") << 0LL << 0LL << 0LL;
        QTest::newRow("seconds") << 0LL << 0LL << 59LL;
        QTest::newRow("minutes") << 0LL << 1LL << 5LL;
        QTest::newRow("hours") << 12LL << 0LL << 7LL;
        QTest::newRow("negative seconds") << 0LL << 0LL << -5LL;
        QTest::newRow("negative fields") << 2LL << -5LL << -15LL;
        QTest::newRow("negative hours") << -1LL << 59LL << 59LL;
        QTest::newRow("smallest") << qint64(LLONG_MIN) << 0LL << qint64(LLONG_MIN);
        QTest::newRow("largest") << qint64(LLONG_MAX) << qint64(LLONG_MAX) << qint64(LLONG_MAX);
    }
    void composedAsPrintfWould()
    {
        QFETCH(qint64, h);
        QFETCH(qint64, m);
        QFETCH(qint64, s);
        char expected[96];
        if (h >= 1)
            std::snprintf(expected, sizeof expected, "%lld:%02lld:%02lld", h, m, s);
        else if (m >= 1)
            std::snprintf(expected, sizeof expected, "%lld:%02lld", m, s);
        else
            std::snprintf(expected, sizeof expected, "%lld", s);
        QCOMPARE(orv::composeDurationText(h, m, s), QString::fromLatin1(expected));
    }

    void everyTextMatchesTheGrammar()
    {
        const QRegularExpression grammar(QStringLiteral("^-?(\\d+:\\d\\d:\\d\\d|\\d+:\\d\\d|\\d+)$"));
        for (qint64 v = -8000; v <= 8000; v += 7) {
            QVERIFY2(grammar.match(orv::signedDurationText(v)).hasMatch(), qPrintable(QString::number(v)));
            if (v >= 0)
                QVERIFY(grammar.match(orv::durationText(v)).hasMatch());
        }
    }
};

QTEST_APPLESS_MAIN(TestTimeText)
#include "tst_timetext.moc"
