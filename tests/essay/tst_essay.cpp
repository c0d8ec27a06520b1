// The essay timer: a three-second countdown, then two hours in six phases
// shown as shrinking bars.

#include "app/frmmain.h"
#include "common/periodictimer.h"
#include "essay/frmron.h"
#include "support/testsupport.h"
#include "widgets/controls.h"
#include "widgets/formref.h"

#include <QLineEdit>
#include <QScreen>
#include <QTest>

using namespace orv;
using test::texts;
using test::timer;

namespace {
const char *const kBars = "LabelA(0) LabelB(0) LabelC(0) LabelA(1) LabelB(1) LabelC(1)";
}

class TestEssay : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { discardAllForms(); }

    // Opened from the menu, the countdown runs by itself: its clock is wired
    // to its handler, and so is the run's, whose interval the box sets.
    void theCountdownRunsByItself()
    {
        test::FakeDesktop desktop;
        formRef<FrmMain>()->show();
        formRef<FrmMain>()->CmdRon_Click();
        FrmRon *ron = formRef<FrmRon>().peek();
        QVERIFY(ron->isVisible() && !formRef<FrmMain>()->isVisible());
        QCOMPARE(texts(ron, "Label1") + test::shown(ron, "Picture1"), QStringLiteral("③1"));
        // Centred, with the cover in front of the table.
        const auto *cover = ron->findChild<QWidget *>(QStringLiteral("Picture1"));
        const QWidget *front = ron->childAt(cover->mapTo(ron, cover->rect().center()));
        QVERIFY(front == cover || cover->isAncestorOf(front));
        QVERIFY((ron->frameGeometry().center() - ron->screen()->geometry().center()).manhattanLength() <= 2);
        QCOMPARE(test::clocks(ron), QStringLiteral("Timer1 0 off|Timer2 1000 on"));
        timer(ron, "Timer2")->setInterval(5);
        QTRY_COMPARE(test::clocks(ron), QStringLiteral("Timer1 1000 on|Timer2 5 off"));
        QCOMPARE(desktop.played, QStringList({"s01.wav", "s01.wav", "s01.wav", "s03.wav"}));
        QCOMPARE(texts(ron, "Label1") + test::shown(ron, "Picture1 Picture2"), QStringLiteral("01"));
        QCOMPARE(ron->property("CountdownStep").toInt(), 0);
        ron->findChild<QLineEdit *>(QStringLiteral("Text1"))->setText(QStringLiteral("5"));
        QTRY_VERIFY(ron->property("ElapsedSec").toInt() >= 3);
    }

    // After tick t: which bars show, the current phase's bar width (twips)
    // and LabelQNo|LabelEachTime|LabelTotalTime|its phase's time, and the
    // cue of that tick.
    void theRun_data()
    {
        QTest::addColumn<int>("t");
        QTest::addColumn<QString>("bars");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("shows");
        QTest::addColumn<QString>("cue");
        QTest::newRow("1") << 1 << "111111" << 599 << "1|59:59|1:59:59|9:59" << "";
        QTest::newRow("541") << 541 << "111111" << 59 << "1|50:59|1:50:59|59" << "";
        QTest::newRow("599") << 599 << "111111" << 1 << "1|50:01|1:50:01|1" << "";
        QTest::newRow("600") << 600 << "011111" << 1200 << "1|50:00|1:50:00|20:00" << "s02.wav";
        QTest::newRow("1800") << 1800 << "001111" << 1800 << "1|30:00|1:30:00|30:00" << "s02.wav";
        QTest::newRow("3599") << 3599 << "001111" << 1 << "1|1|1:00:01|1" << "";
        QTest::newRow("3600") << 3600 << "000111" << 600 << "2|0|1:00:00|10:00" << "s02.wav";
        QTest::newRow("3601") << 3601 << "000111" << 599 << "2|59:59|59:59|9:59" << "";
        QTest::newRow("4200") << 4200 << "000011" << 1200 << "2|50:00|50:00|20:00" << "s02.wav";
        QTest::newRow("5400") << 5400 << "000001" << 1800 << "2|30:00|30:00|30:00" << "s02.wav";
        QTest::newRow("7199") << 7199 << "000001" << 1 << "2|1|1|1" << "";
        QTest::newRow("the end") << 7200 << "000000" << 1 << "--|--:--|-:--:--|1" << "s04.wav";
    }
    void theRun()
    {
        QFETCH(int, t);
        QFETCH(QString, bars);
        QFETCH(int, width);
        QFETCH(QString, shows);
        QFETCH(QString, cue);
        test::FakeDesktop desktop;
        FrmRon *ron = startedRun();
        test::call(ron, "Timer1_Timer", t - 1);
        desktop.played.clear();
        ron->Timer1_Timer();
        QCOMPARE(ron->property("ElapsedSec").toInt(), t);
        QCOMPARE(test::shown(ron, kBars), bars);
        const QString bar = QString::fromLatin1(kBars).split(u' ').at(qMin(int(bars.lastIndexOf(u'0')) + 1, 5));
        QCOMPARE(twipsOf(ron->findChild<QWidget *>(bar)).width(), width);
        const QString text = QString(bar).insert(6, u'S');
        QCOMPARE(texts(ron, qPrintable("LabelQNo LabelEachTime LabelTotalTime " + text)), shows);
        QCOMPARE(desktop.played, cue.isEmpty() ? QStringList() : QStringList{cue});
        if (t < 7200)
            return;
        QCOMPARE(desktop.attention, QStringList({"FrmRon"}));
        QCOMPARE(test::clocks(ron), QStringLiteral("Timer1 1000 off|Timer2 1000 off"));
        // A stray tick, or a new interval, after the end changes nothing.
        ron->Timer1_Timer();
        ron->findChild<QLineEdit *>(QStringLiteral("Text1"))->setText(QStringLiteral("10"));
        QVERIFY(!timer(ron, "Timer1")->isTicking());
        QCOMPARE(ron->property("ElapsedSec").toInt(), 7200);
        QCOMPARE(desktop.played.size(), 1);
        QCOMPARE(desktop.attention.size(), 1);
    }

private:
    FrmRon *startedRun()
    {
        FrmRon *ron = formRef<FrmRon>().renew();
        ron->show();
        test::call(ron, "Timer2_Timer", 3);
        timer(ron, "Timer1")->blockSignals(true); // the test steps the clock
        return ron;
    }
};

QTEST_MAIN(TestEssay)
#include "tst_essay.moc"
