// The kitchen timer's window shows what its model says: keys and the input
// dialog start it, its clocks tick it, and the alarm shows with its
// overtime and mute box. The rules themselves are tested on the model
// (tst_kitchen).

#include "common/periodictimer.h"
#include "common/twips.h"
#include "countdown/frmmen.h"
#include "support/testsupport.h"
#include "widgets/controls.h"
#include "widgets/formref.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>

using namespace orv;
using test::shown;
using test::texts;

namespace {
QPushButton *key(const FrmMen *men, int index)
{
    return men->findChild<QPushButton *>(indexedName("CmdTime", index));
}

double displayPoints(const FrmMen *men)
{
    return men->findChild<QLabel *>(QStringLiteral("Label1"))->font().pointSizeF();
}
} // namespace

class TestCountdown : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { discardAllForms(); }

    // A key starts its countdown with a beep; the keypad goes and the
    // countdown's clock runs. The input key asks; the entry goes into the
    // hidden box, and minutes are shown at the size their text needs.
    void starting()
    {
        test::FakeDesktop desktop;
        FrmMen *men = open();
        QCOMPARE(shown(men, "Picture2 TxtTime Label4 Label3 Label2 Check1"), QStringLiteral("100000"));
        QCOMPARE(men->childAt(key(men, 2)->mapTo(men, QPoint(5, 5))), key(men, 2)); // the keypad in front
        QVERIFY((men->frameGeometry().center() - men->screen()->geometry().center()).manhattanLength() <= 2);
        QTest::mouseClick(key(men, 2), Qt::LeftButton);
        QCOMPARE(men->property("LimTime").toInt(), 180);
        QCOMPARE(texts(men, "Label1"), QStringLiteral("3:00"));
        QCOMPARE(desktop.logged, QStringList({"beep"}));
        QCOMPARE(shown(men, "Picture2"), QStringLiteral("0"));
        QCOMPARE(test::clocks(men), QStringLiteral("Timer1 1000 on|Timer3 0 off"));
        desktop.answer = QStringLiteral("600");
        men = open();
        QTest::mouseClick(key(men, 5), Qt::LeftButton);
        QCOMPARE(desktop.dialogs, 1);
        QCOMPARE(men->findChild<QLineEdit *>(QStringLiteral("TxtTime"))->text(), QStringLiteral("600"));
        QCOMPARE(texts(men, "Label1"), QStringLiteral("10:00:00"));
        QCOMPARE(displayPoints(men), 48.0);
        test::fire(men, "Timer1");
        QCOMPARE(texts(men, "Label1"), QStringLiteral("9:59:59"));
        QCOMPARE(displayPoints(men), 72.0);
    }

    // The alarm: the face, the cue, the mute box and one request for
    // attention; then the overtime with its tag. Muted, the cue stops and
    // the rest goes on.
    void theAlarm()
    {
        test::FakeDesktop desktop;
        FrmMen *men = open();
        men->CmdTime_Click(0);
        test::call(men, "Timer1_Timer", 60);
        QCOMPARE(texts(men, "Label1"), QStringLiteral("(^｡^)"));
        QCOMPARE(shown(men, "Check1 Label3 Label2"), QStringLiteral("100"));
        QCOMPARE(desktop.played, QStringList({"s05.wav"}));
        QCOMPARE(desktop.attention, QStringList({"FrmMen"}));
        auto *mute = men->findChild<QCheckBox *>(QStringLiteral("Check1"));
        QTest::mouseClick(mute, Qt::LeftButton, {}, QPoint(6, mute->height() / 2));
        test::call(men, "Timer1_Timer");
        QCOMPARE(shown(men, "Label3 Label2"), QStringLiteral("11"));
        QCOMPARE(texts(men, "Label3"), QStringLiteral("1"));
        QCOMPARE(desktop.played.size(), 1);
        QCOMPARE(desktop.attention.size(), 1);
        test::call(men, "Timer1_Timer", 599); // this window's figures do not grow, but condense
        const QWidget *overtime = men->findChild<QWidget *>(QStringLiteral("Label3"));
        QCOMPARE(texts(men, "Label3"), QStringLiteral("10:00"));
        QCOMPARE(overtime->geometry(), twipsToPx(twipsOf(overtime)));
    }

    // A time of day: the entry shown as typed, the clock line, and the
    // clock mode's own clock, whose tick at the target minute raises the
    // alarm with its overtime at once.
    void aTimeOfDay()
    {
        test::FakeDesktop desktop;
        desktop.now = QTime(12, 0, 30);
        desktop.answer = QStringLiteral(" 11:59:40 ");
        FrmMen *men = open();
        men->CmdTime_Click(5);
        QCOMPARE(texts(men, "Label1 Label4"), QStringLiteral(" 11:59:40 |現在時刻 12:00:30"));
        QCOMPARE(shown(men, "Picture2 Label4"), QStringLiteral("01"));
        QCOMPARE(test::clocks(men), QStringLiteral("Timer1 0 off|Timer3 1000 on"));
        desktop.now = QTime(11, 59);
        test::fire(men, "Timer3");
        QCOMPARE(texts(men, "Label1 Label3 Label4"), QStringLiteral("(^｡^)|1|現在時刻 11:59:00"));
        QCOMPARE(shown(men, "Label3 Label2"), QStringLiteral("11"));
    }

    // The keypad starts with its middle key the default, which Enter
    // presses; a new entry in the hidden box makes the input key the
    // default. A cancelled dialog changes nothing. The keys stand in two
    // rows of three alike.
    void theDefaultKey()
    {
        test::FakeDesktop desktop;
        FrmMen *men = open();
        const QRect first = twipsOf(key(men, 0));
        const int step = twipsOf(key(men, 1)).left() - first.left();
        for (int i = 0; i < 6; ++i) {
            const QRect at = twipsOf(key(men, i));
            QCOMPARE(at.size(), first.size());
            QCOMPARE(at.topLeft(), QPoint(first.left() + i % 3 * step, twipsOf(key(men, i / 3 * 3)).top()));
        }
        auto *box = men->findChild<QLineEdit *>(QStringLiteral("TxtTime"));
        box->setText(QStringLiteral("10")); // the same text: no change
        QVERIFY(key(men, 2)->isDefault());
        box->setText(QStringLiteral("12"));
        QVERIFY(key(men, 5)->isDefault());
        QVERIFY(!key(men, 2)->isDefault());
        QTest::keyClick(men, Qt::Key_Return);
        QCOMPARE(desktop.dialogs, 1);
        men->CmdTime_Click(6); // no such key
        QCOMPARE(shown(men, "Picture2"), QStringLiteral("1"));
        QCOMPARE(test::clocks(men), QStringLiteral("Timer1 0 off|Timer3 0 off"));
        QVERIFY(desktop.logged.isEmpty());
        QCOMPARE(box->text(), QStringLiteral("12"));
        men = open();
        QTest::keyClick(men, Qt::Key_Enter);
        QCOMPARE(men->property("LimTime").toInt(), 180);
    }

private:
    static FrmMen *open()
    {
        FrmMen *men = formRef<FrmMen>().renew();
        men->show();
        return men;
    }
};

QTEST_MAIN(TestCountdown)
#include "tst_countdown.moc"
