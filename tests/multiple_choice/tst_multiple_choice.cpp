// The multiple-choice windows show what the paper's model says: the pacing
// window, the Done button and the per-question window, driven as the user
// would. The rules themselves are tested on the models (tst_paper).

#include "common/periodictimer.h"
#include "common/twips.h"
#include "multiple_choice/frmtak.h"
#include "support/testsupport.h"
#include "widgets/controls.h"
#include "widgets/formref.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace orv;
using test::clocks;
using test::texts;

namespace {
QWidget *window(const char *name)
{
    return test::window(QLatin1String(name));
}

QWidget *control(const QWidget *window, const QString &name)
{
    return window->findChild<QWidget *>(name);
}

// Whether a grid marker stands in front of its cell.
bool markerShown(const QWidget *tak, int i)
{
    QWidget *cell = control(tak, indexedName("LabelQ", i));
    const QObjectList &row = cell->parent()->children();
    return row.indexOf(control(tak, indexedName("LabelQ2", i))) > row.indexOf(cell);
}

// Whether a label has grown past its box, away from its aligned edge.
bool grown(const QWidget *window, const char *name)
{
    const auto *label = window->findChild<QLabel *>(QLatin1String(name));
    const QRect box = twipsToPx(twipsOf(label)), now = label->geometry();
    const bool right = label->alignment() & Qt::AlignRight;
    return now.width() > box.width() && (right ? now.right() == box.right() : now.left() == box.left());
}

bool black(const QWidget *tak, int i)
{
    return control(tak, indexedName("LabelQ", i))->palette().color(QPalette::Window) == Qt::black;
}
} // namespace

class TestMultipleChoice : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { discardAllForms(); }

    // The cover counts down by its clock while the Done button floats beside
    // the window; a question finished meanwhile counts, and makes the
    // per-question window hidden, with its budget. At the start that window
    // shows, timing the next question. The box sets the pacing clock's
    // interval; typed during the countdown it gives way to 1000 at the start.
    void openingAndStart()
    {
        test::FakeDesktop desktop;
        FrmTak *tak = open();
        QWidget *button = window("FrmBtn");
        QCOMPARE(test::shown(tak, "Picture1 CmdNext"), QStringLiteral("10"));
        QCOMPARE(texts(tak, "Label1"), QStringLiteral("③"));
        QCOMPARE(control(tak, QStringLiteral("Label1"))->accessibleName(), QStringLiteral("開始までのカウントダウン"));
        QVERIFY(button->isVisible());
        QVERIFY(button->x() > tak->x() + tak->width());
        QVERIFY(!window("FrmDur"));
        test::call(tak, "CmdNext_Click");
        QWidget *dur = window("FrmDur");
        QVERIFY(!dur->isVisible());
        QCOMPARE(dur->property("DivTime").toInt(), 214);
        auto *box = tak->findChild<QLineEdit *>(QStringLiteral("Text1"));
        box->setText(QStringLiteral("2.5"));
        QCOMPARE(clocks(tak), QStringLiteral("Timer1 2 off|Timer2 1000 on"));
        test::fire(tak, "Timer2");
        QCOMPARE(texts(tak, "Label1"), QStringLiteral("②"));
        test::fire(tak, "Timer2", 2);
        QCOMPARE(clocks(tak), QStringLiteral("Timer1 1000 on|Timer2 1000 off"));
        QCOMPARE(desktop.played, QStringList({"s01.wav", "s01.wav", "s01.wav", "s03.wav"}));
        QCOMPARE(test::shown(tak, "Picture1 Picture2"), QStringLiteral("01"));
        QVERIFY(dur->isVisible());
        QVERIFY(dur->y() > tak->y() + tak->height());
        QCOMPARE(dur->property("DivTime").toInt(), 214);
        QCOMPARE(texts(dur, "LabelDurTime LabelEachTime2 LabelTitle2"), QStringLiteral("0|3:34|必要処理時間(残)"));
        box->setText(QStringLiteral("5"));
        QCOMPARE(clocks(tak), QStringLiteral("Timer1 5 on|Timer2 1000 off"));
        test::fire(tak, "Timer1");
        QCOMPARE(tak->property("TotalCnt").toInt(), 1);
        QTest::keyClicks(dur, QStringLiteral("0")); // out of the keyboard's reach
        QCOMPARE(dur->property("TextEcnt").toString(), QStringLiteral("1"));
    }

    // The cells stand in three even rows of twenty, evenly spaced but for a
    // wider gap after the tenth column; every marker starts behind its cell.
    void theGrid()
    {
        FrmTak *tak = formRef<FrmTak>().get();
        const auto cell = [tak](int i) { return twipsOf(control(tak, indexedName("LabelQ", i))); };
        const int step = cell(1).left() - cell(0).left();
        QString gaps, markers;
        for (int i = 0; i < 60; ++i) {
            QVERIFY(cell(i).left() == cell(i % 20).left() && cell(i).top() == cell(i / 20 * 20).top());
            const int gap = i % 20 == 19 ? 0 : cell(i + 1).left() - cell(i).left();
            gaps += i % 20 == 19 ? u'|' : gap == step ? u'.' : gap == step + 60 ? u'W' : u'?';
            markers += markerShown(tak, i) ? u'1' : u'0';
        }
        QCOMPARE(gaps, (QString(9, u'.') + u'W' + QString(9, u'.') + u'|').repeated(3));
        QCOMPARE(cell(40).top() - cell(20).top(), cell(20).top() - cell(0).top());
        QCOMPARE(cell(0).topLeft(), QPoint(150, 630));
        QCOMPARE(markers, QString(60, u'0'));
    }

    // Each kind of change a tick or a finished question brings is shown:
    // a blackened cell, a marker in front, the figures, and the
    // per-question window's counter, bars and cue.
    void aPaperShown()
    {
        test::FakeDesktop desktop;
        FrmTak *tak = startedPaper();
        QWidget *dur = window("FrmDur");
        QCOMPARE(dur->property("DivTime").toInt(), 210);
        desktop.played.clear();
        test::call(tak, "Timer1_Timer");
        QVERIFY(black(tak, 0));
        QVERIFY(markerShown(tak, 0));
        QCOMPARE(texts(tak, "LabelEachTime LabelTotalTime"), QStringLiteral("3:29|3:29:59"));
        QCOMPARE(dur->property("TextEcnt").toString(), QStringLiteral("1"));
        test::call(tak, "Timer1_Timer", 99);
        test::call(tak, "CmdNext_Click");
        QVERIFY(markerShown(tak, 1));
        QCOMPARE(texts(tak, "LabelQNo2 LabelEachTime2 LabelSavedTime"), QStringLiteral("2|3:32|1:50"));
        QVERIFY(grown(tak, "LabelSavedTime")); // labels wider than their box grow
        QVERIFY(grown(tak, "Label2(7)"));
        QCOMPARE(dur->property("TextEcnt").toString(), QStringLiteral("0"));
        QCOMPARE(dur->property("DivTime").toInt(), 212);
        test::call(tak, "Timer1_Timer", 110);
        QVERIFY(black(tak, 1));
        QVERIFY(!black(tak, 2));
        QCOMPARE(texts(tak, "LabelQNo"), QStringLiteral("2"));
        test::call(tak, "Timer1_Timer", 103);
        QCOMPARE(texts(dur, "LabelDurTime LabelEachTime2 LabelEachTime"), QStringLiteral("3:33|-1|-3"));
        QCOMPARE(control(dur, QStringLiteral("LabelDiv"))->palette().color(QPalette::Window), QColor(Qt::red));
        QVERIFY(control(dur, QStringLiteral("LabelDiv"))->autoFillBackground());
        QCOMPARE(control(dur, QStringLiteral("LabelEachTime2"))->palette().color(QPalette::WindowText), QColor(Qt::yellow));
        QCOMPARE(twipsOf(control(dur, QStringLiteral("LabelDiv2"))).width(), 15);
        QCOMPARE(desktop.played, QStringList({"s02.wav"}));
        dur->setProperty("TextEcnt", QStringLiteral("3700"));
        QVERIFY(grown(dur, "LabelEachTime2"));
    }

    // Tick 12,600: the dashes, the end's cue and a request for attention;
    // the companions go, the window stays. After it nothing counts.
    void theEnd()
    {
        test::FakeDesktop desktop;
        FrmTak *tak = startedPaper();
        test::call(tak, "Timer1_Timer", 12600);
        QCOMPARE(texts(tak, "LabelQNo LabelEachTime LabelTotalTime"), QStringLiteral("--|--:--|-:--:--"));
        QCOMPARE(desktop.played.last(), QStringLiteral("s04.wav"));
        QCOMPARE(desktop.attention, QStringList({"FrmTak"}));
        QCOMPARE(clocks(tak), QStringLiteral("Timer1 1000 off|Timer2 1000 off"));
        QVERIFY(!window("FrmBtn")->isVisible());
        QVERIFY(!window("FrmDur")->isVisible());
        test::call(tak, "CmdNext_Click");
        QCOMPARE(texts(tak, "LabelQNo2"), QStringLiteral("1"));
    }

    // The Done button: Enter or a click counts at most once in two seconds,
    // with a beep; a window-system close leaves it; the per-question window
    // may be closed and the paper goes on.
    void theDoneButton()
    {
        test::FakeDesktop desktop;
        FrmTak *tak = startedPaper();
        QWidget *button = window("FrmBtn"), *dur = window("FrmDur");
        auto *done = button->findChild<QPushButton *>(QStringLiteral("CmdDone"));
        QVERIFY(done->isDefault());
        QCOMPARE(button->focusWidget(), done);
        desktop.logged.clear();
        desktop.now = QTime(10, 0, 0, 200);
        QTest::keyClick(button, Qt::Key_Return);
        desktop.now = QTime(10, 0, 1);
        QTest::keyClick(button, Qt::Key_Return);
        QCOMPARE(button->property("ThisPress").toInt(), 36001);
        QCOMPARE(tak->property("DoneCnt").toInt(), 1);
        desktop.now = QTime(10, 0, 2);
        QTest::mouseClick(done, Qt::LeftButton);
        QCOMPARE(tak->property("DoneCnt").toInt(), 2);
        QCOMPARE(button->property("PrevPress").toInt(), 36002);
        QCOMPARE(desktop.logged, QStringList({"beep", "beep"}));
        QSignalSpy activated(dur, SIGNAL(activated()));
        dur->activateWindow();
        QTRY_COMPARE(activated.count(), 1); // the Done button comes to the front
        test::closeFromWindowSystem(button);
        test::closeFromWindowSystem(dur);
        QVERIFY(button->isVisible());
        QVERIFY(!dur->isVisible());
        test::call(tak, "Timer1_Timer", 10);
        QCOMPARE(dur->property("TextEcnt").toString(), QStringLiteral("10"));
        desktop.now = QTime(11, 0);
        test::call(button, "CmdDone_Click");
        QCOMPARE(tak->property("DoneCnt").toInt(), 3);
        QCOMPARE(dur->property("TextEcnt").toString(), QStringLiteral("0"));
    }

private:
    // The tests step the clocks.
    static FrmTak *open()
    {
        FrmTak *tak = formRef<FrmTak>().renew();
        tak->show();
        return tak;
    }
    static FrmTak *startedPaper()
    {
        FrmTak *tak = open();
        test::call(tak, "Timer2_Timer", 3);
        return tak;
    }
};

QTEST_MAIN(TestMultipleChoice)
#include "tst_multiple_choice.moc"
