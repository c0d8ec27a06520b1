#include "common/numbers.h"
#include "common/twips.h"

#include <QTest>

#include <cmath>
#include <limits>

using namespace orv;

class TestNumbers : public QObject
{
    Q_OBJECT

private slots:
    void roundHalfEven_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("expected");
        QTest::newRow("2.5 to even below") << 2.5 << 2.0;
        QTest::newRow("3.5 to even above") << 3.5 << 4.0;
        QTest::newRow("-2.5") << -2.5 << -2.0;
        QTest::newRow("-3.5") << -3.5 << -4.0;
        QTest::newRow("0.5") << 0.5 << 0.0;
        QTest::newRow("1.5") << 1.5 << 2.0;
        QTest::newRow("below half") << 2.49999 << 2.0;
        QTest::newRow("above half") << 2.50001 << 3.0;
        QTest::newRow("whole") << 7.0 << 7.0;
        QTest::newRow("6299.5 pace share") << 6299.5 << 6300.0;
        QTest::newRow("6298.5 pace share") << 6298.5 << 6298.0;
        QTest::newRow("0.01 minutes in seconds") << 0.6 << 1.0;
        QTest::newRow("0.005 minutes in seconds") << 0.3 << 0.0;
    }
    void roundHalfEven()
    {
        QFETCH(double, value);
        QFETCH(double, expected);
        QCOMPARE(orv::roundHalfEven(value), expected);
    }

    void roundToIntSaturates_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("expected");
        constexpr int maxInt = std::numeric_limits<int>::max();
        constexpr int minInt = std::numeric_limits<int>::min();
        QTest::newRow("half even") << 2.5 << 2;
        QTest::newRow("huge") << 1e12 << maxInt;
        QTest::newRow("huge negative") << -1e12 << minInt;
        QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << maxInt;
        QTest::newRow("-infinity") << -std::numeric_limits<double>::infinity() << minInt;
        QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN() << 0;
        QTest::newRow("just inside") << 2147483647.0 << maxInt;
        QTest::newRow("just outside") << 2147483648.0 << maxInt;
    }
    void roundToIntSaturates()
    {
        QFETCH(double, value);
        QFETCH(int, expected);
        QCOMPARE(orv::roundToInt(value), expected);
    }

    void leadingNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("plain") << "3" << 3.0;
        QTest::newRow("blank inside") << "1 5" << 15.0;
        QTest::newRow("comma is no separator") << "1,5" << 1.0;
        QTest::newRow("japanese suffix") << "3分" << 3.0;
        QTest::newRow("letters") << "abc" << 0.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("blanks around sign and point") << " - 2 .5x" << -2.5;
        QTest::newRow("no exponent") << "1e1" << 1.0;
        QTest::newRow("trailing letters") << "120abc" << 120.0;
        QTest::newRow("small fraction") << "0.005" << 0.005;
        QTest::newRow("tab and line feed") << "\t1\n2" << 12.0;
        QTest::newRow("carriage return stops") << "1\r2" << 1.0;
        QTest::newRow("plus sign") << "+4.5" << 4.5;
        QTest::newRow("second point stops") << "1.2.3" << 1.2;
        QTest::newRow("leading point") << ".5" << 0.5;
        QTest::newRow("trailing point") << "5." << 5.0;
        QTest::newRow("point alone") << "." << 0.0;
        QTest::newRow("sign alone") << "-" << 0.0;
        QTest::newRow("two signs") << "+-1" << 0.0;
        QTest::newRow("sign after digit stops") << "1-2" << 1.0;
        QTest::newRow("full-width digits") << "３" << 0.0;
        QTest::newRow("full-width blank") << "　3" << 0.0;
        QTest::newRow("emoji") << "⏰5" << 0.0;
        QTest::newRow("hex prefix not read") << "&H10" << 0.0;
        QTest::newRow("negative zero is zero") << "-0" << 0.0;
        QTest::newRow("many leading zeros") << QString(400, u'0') + "7" << 7.0;
        QTest::newRow("tiny") << "0." + QString(400, u'0') + "1" << 0.0;
        QTest::newRow("colon stops") << "7:30" << 7.0;
    }
    void leadingNumber()
    {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QCOMPARE(orv::leadingNumber(text), expected);
    }

    void leadingNumberHugeDigitStrings()
    {
        const QString digits(10000, u'9');
        QVERIFY(std::isinf(orv::leadingNumber(digits)));
        QVERIFY(orv::leadingNumber(digits) > 0);
        QVERIFY(orv::leadingNumber(u'-' + digits) < 0);
        QCOMPARE(orv::roundToInt(orv::leadingNumber(digits)), std::numeric_limits<int>::max());
        QCOMPARE(orv::leadingNumber(QStringLiteral("1000000000000")), 1e12);
    }

    void twips_data()
    {
        QTest::addColumn<QRect>("twips");
        QTest::addColumn<QRect>("pixels");
        QTest::newRow("menu client") << QRect(0, 0, 4680, 3195) << QRect(0, 0, 312, 213);
        QTest::newRow("grid cell") << QRect(135, 270, 135, 135) << QRect(9, 18, 9, 9);
        QTest::newRow("5-twip bar") << QRect(0, 0, 5, 75) << QRect(0, 0, 0, 5);
        QTest::newRow("10-twip bar") << QRect(0, 0, 10, 75) << QRect(0, 0, 1, 5);
        // Bars edge to edge stay edge to edge: 270+1800 is where B starts.
        QTest::newRow("bar C") << QRect(270, 240, 1800, 75) << QRect(18, 16, 120, 5);
        QTest::newRow("bar B") << QRect(2070, 240, 1200, 75) << QRect(138, 16, 80, 5);
    }
    void twips()
    {
        QFETCH(QRect, twips);
        QFETCH(QRect, pixels);
        QCOMPARE(orv::twipsToPx(twips), pixels);
    }

    void twipsRoundTrip()
    {
        for (int px : {0, 1, 9, 312, -4})
            QCOMPARE(orv::twipsToPx(orv::pxToTwips(px)), px);
        QCOMPARE(orv::pxToTwips(std::numeric_limits<int>::max()), std::numeric_limits<int>::max());
    }
};

QTEST_APPLESS_MAIN(TestNumbers)
#include "tst_numbers.moc"
