#include "common/clock.h"
#include "common/fonts.h"
#include "common/periodictimer.h"
#include "multiple_choice/frmbtn.h"
#include "multiple_choice/frmdur.h"
#include "multiple_choice/frmtak.h"
#include "widgets/controls.h"
#include "widgets/formref.h"
#include "app/frmmain.h"
#include "support/testsupport.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QWindow>

using namespace orv;
using orv::test::CueRecorder;
using orv::test::LogCapture;

namespace {

QString text(QWidget *window, const QString &name)
{
    auto *label = window->findChild<QLabel *>(name);
    return label ? label->text() : QStringLiteral("<missing %1>").arg(name);
}

QWidget *child(QWidget *window, const QString &name)
{
    return window->findChild<QWidget *>(name);
}

PeriodicTimer *timer(QObject *window, const char *name)
{
    return window->findChild<PeriodicTimer *>(QLatin1String(name));
}

// True when `front` stacks above `back` among their siblings.
bool inFront(QWidget *front, QWidget *back)
{
    const QObjectList siblings = front->parent()->children();
    return siblings.indexOf(front) > siblings.indexOf(back);
}

QColor background(QWidget *w)
{
    return w->palette().color(QPalette::Window);
}

} // namespace

class TestMultipleChoice : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { installFontSubstitutions(); }

    void init()
    {
        m_now = QTime(10, 0, 0);
        setTimeOfDaySource([this] { return m_now; });
    }

    void cleanup()
    {
        discardAllForms();
        setTimeOfDaySource({});
    }

    void opening()
    {
        CueRecorder cues;
        FrmMain *menu = formRef<FrmMain>().get();
        menu->show();
        menu->CmdTak_Click();
        FrmTak *tak = formRef<FrmTak>().peek();
        QVERIFY(tak && tak->isVisible());
        QVERIFY(!menu->isVisible());
        QCOMPARE(tak->windowTitle(), QStringLiteral("択一タイマー"));
        QCOMPARE(tak->size(), QSize(312, 215));
        QCOMPARE(cues.log().played, QStringList({"s01.wav"}));
        QCOMPARE(text(tak, "Label1"), QStringLiteral("③"));
        QVERIFY(inFront(child(tak, "Picture1"), child(tak, "Picture2")));
        QCOMPARE(timer(tak, "Timer2")->interval(), 1000);
        QVERIFY(timer(tak, "Timer2")->isEnabled());
        QCOMPARE(timer(tak, "Timer1")->interval(), 0);
        QVERIFY(!timer(tak, "Timer1")->isEnabled());
        QVERIFY(!child(tak, "CmdNext")->isVisibleTo(tak));

        // The Done button floats 50 twips to the right, bottom edges level.
        FrmBtn *button = formRef<FrmBtn>().peek();
        QVERIFY(button && button->isVisible());
        QVERIFY(button->windowFlags() & Qt::Tool);
        QCOMPARE(button->frameGeometry().left(), tak->frameGeometry().right() + 1 + 3);
        QCOMPARE(button->frameGeometry().bottom(), tak->frameGeometry().bottom());
        QVERIFY(formRef<FrmDur>().isEmpty());
    }

    // Drawn at the screen's pixel ratio: sharp at 2, same layout.
    void rendersAtThePixelRatio()
    {
        FrmTak *tak = openPaper();
        const QPixmap shot = tak->grab();
        QCOMPARE(shot.devicePixelRatio(), tak->devicePixelRatioF());
        QCOMPARE(shot.size(), (QSizeF(tak->size()) * tak->devicePixelRatioF()).toSize());
        QCOMPARE(tak->size(), QSize(312, 215));
        const qreal expected = qEnvironmentVariableIsSet("QT_SCALE_FACTOR")
                                   ? qEnvironmentVariable("QT_SCALE_FACTOR").toDouble()
                                   : 1.0;
        QCOMPARE(tak->devicePixelRatioF(), expected);
    }

    void gridOfSixty()
    {
        FrmTak *tak = formRef<FrmTak>().get();
        for (int i = 0; i < 60; ++i) {
            const int r = i / 20, c = i % 20;
            const int left = c < 10 ? 150 + 180 * c : 2010 + 180 * (c - 10);
            QWidget *cell = child(tak, indexedName("LabelQ", i));
            QWidget *marker = child(tak, indexedName("LabelQ2", i));
            QCOMPARE(cell->property("twips").toRect(), QRect(left, 630 + 240 * r, 135, 135));
            QCOMPARE(marker->property("twips").toRect(), QRect(left, 690 + 240 * r, 75, 75));
            QCOMPARE(background(cell), QColor(0xE0, 0xE0, 0xE0));
            QCOMPARE(background(marker), QColor(255, 255, 0));
            QVERIFY(inFront(cell, marker));
            QCOMPARE(cell->geometry().size(), QSize(9, 9));
        }
        // The wider gap after the tenth column.
        QCOMPARE(child(tak, "LabelQ(10)")->geometry().left() - child(tak, "LabelQ(9)")->geometry().left(), 16);
    }

    void layout_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("twips");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("face");
        QTest::addColumn<double>("points");
        QTest::newRow("LabelQNo2") << "LabelQNo2" << QRect(1290, 270, 165, 285) << "1" << kPGothic << 14.25;
        QTest::newRow("LabelEachTime2") << "LabelEachTime2" << QRect(3090, 270, 660, 285) << "3:30" << kGothic << 14.25;
        QTest::newRow("LabelQNo") << "LabelQNo" << QRect(1275, 1590, 180, 315) << "1" << kGothic << 15.75;
        QTest::newRow("LabelEachTime") << "LabelEachTime" << QRect(3060, 1590, 720, 315) << "3:30" << kGothic << 15.75;
        QTest::newRow("LabelSavedTime") << "LabelSavedTime" << QRect(2040, 2520, 135, 240) << "-" << kGothic << 12.0;
        QTest::newRow("LabelTotalTime") << "LabelTotalTime" << QRect(3210, 2520, 945, 240) << "3:30:00" << kGothic << 12.0;
        QTest::newRow("Label2(3)") << "Label2(3)" << QRect(1920, 1380, 1440, 180) << "標準処理時間（残）" << kPGothic << 9.0;
        QTest::newRow("Label2(7)") << "Label2(7)" << QRect(300, 2550, 1125, 180) << "アドバンテージ" << kPGothic << 9.0;
        QTest::newRow("Label1") << "Label1" << QRect(1440, 780, 1455, 1440) << "③" << kPGothic << 72.0;
    }
    void layout()
    {
        QFETCH(QString, name);
        QFETCH(QRect, twips);
        QFETCH(QString, caption);
        QFETCH(QString, face);
        QFETCH(double, points);
        FrmTak *tak = formRef<FrmTak>().get();
        auto *label = tak->findChild<QLabel *>(name);
        QVERIFY(label);
        QCOMPARE(label->property("twips").toRect(), twips);
        QCOMPARE(label->text(), caption);
        QCOMPARE(label->font().family(), face);
        QCOMPARE(label->font().pointSizeF(), points);
        // A label sized to its text keeps its designed box on screen or grows
        // away from its aligned edge.
        const QRect designed(twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15);
        QVERIFY(label->geometry().width() >= designed.width() - 1);
        if (label->alignment() & Qt::AlignRight)
            QVERIFY(qAbs(label->geometry().right() - designed.right()) <= 1);
        else if (!(label->alignment() & Qt::AlignHCenter))
            QVERIFY(qAbs(label->geometry().left() - designed.left()) <= 1);
        QVERIFY(label->fontMetrics().horizontalAdvance(caption) <= label->width());
    }

    void countdownAndStart()
    {
        CueRecorder cues;
        FrmTak *tak = openPaper();
        cues.clear();
        tak->Timer2_Timer();
        QCOMPARE(text(tak, "Label1"), QStringLiteral("②"));
        tak->Timer2_Timer();
        QCOMPARE(text(tak, "Label1"), QStringLiteral("①"));
        QCOMPARE(cues.log().played, QStringList({"s01.wav", "s01.wav"}));
        QVERIFY(formRef<FrmDur>().isEmpty());
        tak->Timer2_Timer();
        QCOMPARE(cues.log().played.last(), QStringLiteral("s03.wav"));
        QCOMPARE(text(tak, "Label1"), QString());
        QVERIFY(!timer(tak, "Timer2")->isEnabled());
        QCOMPARE(tak->property("CountdownStep").toInt(), 0);
        QVERIFY(timer(tak, "Timer1")->isEnabled());
        QCOMPARE(timer(tak, "Timer1")->interval(), 1000);
        QVERIFY(!child(tak, "Picture1")->isVisible());
        QCOMPARE(tak->property("LpDivTime").toInt(), 210);

        FrmDur *dur = formRef<FrmDur>().peek();
        QVERIFY(dur && dur->isVisible());
        QCOMPARE(dur->windowTitle(), QStringLiteral("各問経過時間"));
        QCOMPARE(dur->size(), QSize(312, 43));
        QCOMPARE(dur->frameGeometry().left(), tak->frameGeometry().left());
        QCOMPARE(dur->frameGeometry().top(), tak->frameGeometry().bottom() + 1 + 3);
        QCOMPARE(dur->property("TextEcnt").toString(), QStringLiteral("0"));
        QCOMPARE(dur->property("DivTime").toInt(), 210);
        QCOMPARE(text(dur, "LabelDurTime"), QStringLiteral("0"));
        QCOMPARE(text(dur, "LabelEachTime2"), QStringLiteral("3:30"));
        QCOMPARE(text(dur, "LabelEachTime"), QStringLiteral("3:30"));
        QCOMPARE(text(dur, "LabelTitle2"), QStringLiteral("必要処理時間(残)"));
        QCOMPARE(text(dur, "LabelTitle"), QStringLiteral("標準処理時間(残)"));
        QCOMPARE(child(dur, "LabelDiv")->property("twips").toRect(), QRect(1890, 270, 1050, 15));
        QCOMPARE(child(dur, "LabelDiv2")->property("twips").toRect(), QRect(1890, 540, 1050, 15));
        QCOMPARE(background(child(dur, "LabelDiv")), QColor(0, 0, 255));
    }

    void pacingTicks_data()
    {
        QTest::addColumn<int>("ticks");
        QTest::addColumn<QString>("qno");
        QTest::addColumn<QString>("slot");
        QTest::addColumn<QString>("total");
        QTest::addColumn<int>("blackCells");
        QTest::newRow("1") << 1 << "1" << "3:29" << "3:29:59" << 1;
        QTest::newRow("209") << 209 << "1" << "1" << "3:26:31" << 1;
        QTest::newRow("210") << 210 << "2" << "3:30" << "3:26:30" << 2;
        QTest::newRow("211") << 211 << "2" << "3:29" << "3:26:29" << 2;
        QTest::newRow("420") << 420 << "3" << "3:30" << "3:23:00" << 3;
        QTest::newRow("12390") << 12390 << "60" << "3:30" << "3:30" << 60;
        QTest::newRow("12599") << 12599 << "60" << "1" << "1" << 60;
    }
    void pacingTicks()
    {
        QFETCH(int, ticks);
        QFETCH(QString, qno);
        QFETCH(QString, slot);
        QFETCH(QString, total);
        QFETCH(int, blackCells);
        FrmTak *tak = startedPaper();
        for (int i = 0; i < ticks; ++i)
            tak->Timer1_Timer();
        QCOMPARE(text(tak, "LabelQNo"), qno);
        QCOMPARE(text(tak, "LabelEachTime"), slot);
        QCOMPARE(text(tak, "LabelTotalTime"), total);
        QCOMPARE(text(tak, "LabelSavedTime"), QStringLiteral("-"));
        int black = 0;
        for (int i = 0; i < 60; ++i)
            black += background(child(tak, indexedName("LabelQ", i))) == QColor(Qt::black);
        QCOMPARE(black, blackCells);
        QVERIFY(inFront(child(tak, "LabelQ2(0)"), child(tak, "LabelQ(0)")));
        QVERIFY(!inFront(child(tak, "LabelQ2(1)"), child(tak, "LabelQ(1)")));
        QCOMPARE(formRef<FrmDur>()->property("TextEcnt").toString(), QString::number(ticks));
    }

    void finishingAQuestion()
    {
        FrmTak *tak = startedPaper();
        for (int i = 0; i < 100; ++i)
            tak->Timer1_Timer();
        tak->CmdNext_Click();
        QCOMPARE(text(tak, "LabelQNo2"), QStringLiteral("2"));
        QVERIFY(inFront(child(tak, "LabelQ2(1)"), child(tak, "LabelQ(1)")));
        QCOMPARE(text(tak, "LabelSavedTime"), QStringLiteral("1:50"));
        QCOMPARE(text(tak, "LabelEachTime2"), QStringLiteral("3:32"));
        QCOMPARE(tak->property("DivTimeText").toString(), QStringLiteral("3:32"));
        FrmDur *dur = formRef<FrmDur>().peek();
        QCOMPARE(dur->property("TextEcnt").toString(), QStringLiteral("0"));
        QCOMPARE(dur->property("DivTime").toInt(), 212);
        // The budget stays frozen while the question runs.
        for (int i = 0; i < 50; ++i)
            tak->Timer1_Timer();
        QCOMPARE(dur->property("DivTime").toInt(), 212);
        QCOMPARE(text(dur, "LabelEachTime2"), QStringLiteral("2:42"));
    }

    // A whole paper: presses at chosen ticks, cues in order, the end state,
    // and nothing after it.
    void wholePaper()
    {
        CueRecorder cues;
        orv::test::AttentionRecorder attention;
        FrmTak *tak = startedPaper();
        cues.clear();
        const QList<int> presses{100, 400, 700, 1000, 1300};
        for (int t = 1; t <= 12600; ++t) {
            tak->Timer1_Timer();
            if (presses.contains(t))
                tak->CmdNext_Click();
            if (t == 650) {
                FrmDur *dur = formRef<FrmDur>().peek();
                QCOMPARE(text(dur, "LabelDurTime"), QStringLiteral("4:10"));
                QCOMPARE(text(dur, "LabelEachTime"), QStringLiteral("-40"));
                QCOMPARE(background(child(dur, "LabelDiv2")), QColor(255, 0, 0));
                QCOMPARE(child(dur, "LabelDiv2")->property("twips").toRect().width(), 200);
            }
        }
        // s02 whenever a question reaches 210 s: those started at 100, 400,
        // 700, 1000 and 1300; the first took only 100 s.
        QCOMPARE(cues.log().played,
                 QStringList({"s02.wav", "s02.wav", "s02.wav", "s02.wav", "s02.wav", "s04.wav"}));
        QCOMPARE(attention.windows(), QStringList({"FrmTak"}));
        QCOMPARE(text(tak, "LabelQNo"), QStringLiteral("--"));
        QCOMPARE(text(tak, "LabelEachTime"), QStringLiteral("--:--"));
        QCOMPARE(text(tak, "LabelTotalTime"), QStringLiteral("-:--:--"));
        QCOMPARE(text(tak, "LabelQNo2"), QStringLiteral("6"));
        const QString each2 = text(tak, "LabelEachTime2");
        const QString saved = text(tak, "LabelSavedTime");
        QVERIFY(!timer(tak, "Timer1")->isEnabled());
        QVERIFY(!formRef<FrmBtn>().isEmpty() && !formRef<FrmBtn>()->isVisible());
        QVERIFY(!formRef<FrmDur>().isEmpty() && !formRef<FrmDur>()->isVisible());
        QVERIFY(tak->isVisible());

        tak->Timer1_Timer();
        tak->CmdNext_Click();
        QCOMPARE(tak->property("TotalCnt").toInt(), 12600);
        QCOMPARE(tak->property("DoneCnt").toInt(), 5);
        QCOMPARE(text(tak, "LabelEachTime2"), each2);
        QCOMPARE(text(tak, "LabelSavedTime"), saved);
        QCOMPARE(cues.log().played.size(), 6);
        QCOMPARE(attention.windows().size(), 1);
    }

    void pressesDuringTheCountdown()
    {
        FrmTak *tak = openPaper();
        tak->CmdNext_Click();
        QCOMPARE(tak->property("DoneCnt").toInt(), 1);
        QCOMPARE(text(tak, "LabelQNo2"), QStringLiteral("2"));
        QCOMPARE(tak->property("LpDivTime").toInt(), 214); // 12600 / 59
        QCOMPARE(text(tak, "LabelSavedTime"), QStringLiteral("3:30"));
        FrmDur *dur = formRef<FrmDur>().peek();
        QVERIFY(dur && dur->isLoaded() && !dur->isVisible());
        QCOMPARE(dur->property("DivTime").toInt(), 214);
        for (int i = 0; i < 3; ++i)
            tak->Timer2_Timer();
        QVERIFY(dur->isVisible());
        QCOMPARE(tak->property("LpDivTime").toInt(), 214);
        QCOMPARE(dur->property("DivTime").toInt(), 214);
    }

    void pressOnTheLastQuestionChangesNothing()
    {
        FrmTak *tak = openPaper();
        for (int i = 0; i < 59; ++i)
            tak->CmdNext_Click();
        QCOMPARE(tak->property("LpDivTime").toInt(), 12600);
        QCOMPARE(text(tak, "LabelEachTime2"), QStringLiteral("3:30:00"));
        QCOMPARE(text(tak, "LabelSavedTime"), QStringLiteral("3:26:30"));
        QCOMPARE(text(tak, "LabelQNo2"), QStringLiteral("60"));
        tak->CmdNext_Click();
        QCOMPARE(tak->property("DoneCnt").toInt(), 59);
        QCOMPARE(text(tak, "LabelQNo2"), QStringLiteral("60"));
    }

    void intervalBox_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<int>("interval");
        QTest::newRow("100") << "100" << 100;
        QTest::newRow("half to even") << "2.5" << 2;
        QTest::newRow("letters stop") << "abc" << 0;
        QTest::newRow("empty stops") << "" << 0;
        QTest::newRow("huge") << QString(50, u'9') << INT_MAX;
    }
    void intervalBox()
    {
        QFETCH(QString, entry);
        QFETCH(int, interval);
        FrmTak *tak = startedPaper();
        tak->findChild<QLineEdit *>(QStringLiteral("Text1"))->setText(entry);
        QCOMPARE(timer(tak, "Timer1")->interval(), interval);
        QVERIFY(timer(tak, "Timer1")->isEnabled());
        QCOMPARE(timer(tak, "Timer1")->isTicking(), interval > 0);
    }

    void intervalTypedInTheCountdownIsReplaced()
    {
        FrmTak *tak = openPaper();
        tak->findChild<QLineEdit *>(QStringLiteral("Text1"))->setText(QStringLiteral("10"));
        for (int i = 0; i < 3; ++i)
            tak->Timer2_Timer();
        QCOMPARE(timer(tak, "Timer1")->interval(), 1000);
    }

    void doneButton()
    {
        FrmTak *tak = openPaper();
        FrmBtn *button = formRef<FrmBtn>().peek();
        QCOMPARE(button->windowTitle(), QStringLiteral("次の問題"));
        QCOMPARE(button->size(), QSize(70, 62));
        auto *done = button->findChild<QPushButton *>(QStringLiteral("CmdDone"));
        QCOMPARE(done->text(), QStringLiteral("Done"));
        QCOMPARE(done->property("twips").toRect(), QRect(60, 30, 945, 885));
        QVERIFY(done->isDefault());

        LogCapture shell("orvalen.shell");
        m_now = QTime(10, 0, 0, 200);
        QTest::keyClick(button, Qt::Key_Return);
        QCOMPARE(tak->property("DoneCnt").toInt(), 1);
        QCOMPARE(shell.lines(), QStringList({"beep"}));
        QCOMPARE(button->property("PrevPress").toInt(), 36000);
        m_now = QTime(10, 0, 1, 0);
        QTest::keyClick(button, Qt::Key_Return); // held Enter: too soon
        QCOMPARE(tak->property("DoneCnt").toInt(), 1);
        QCOMPARE(button->property("ThisPress").toInt(), 36001);
        m_now = QTime(10, 0, 2, 0);
        QTest::mouseClick(done, Qt::LeftButton);
        QCOMPARE(tak->property("DoneCnt").toInt(), 2);
        QCOMPARE(shell.lines(), QStringList({"beep", "beep"}));
    }

    void doneButtonAcrossMidnight()
    {
        FrmTak *tak = openPaper();
        FrmBtn *button = formRef<FrmBtn>().peek();
        m_now = QTime(23, 59, 59, 0);
        button->CmdDone_Click();
        m_now = QTime(0, 0, 0, 400); // reads 0: one second on
        button->CmdDone_Click();
        QCOMPARE(tak->property("DoneCnt").toInt(), 1);
        m_now = QTime(0, 0, 1, 200);
        button->CmdDone_Click();
        QCOMPARE(tak->property("DoneCnt").toInt(), 2);
        m_now = QTime(0, 5, 0);
        button->CmdDone_Click();
        QCOMPARE(tak->property("DoneCnt").toInt(), 3);
    }

    void firstPressJustAfterMidnightCounts()
    {
        FrmTak *tak = openPaper();
        m_now = QTime(0, 0, 0, 400);
        formRef<FrmBtn>()->CmdDone_Click();
        QCOMPARE(tak->property("DoneCnt").toInt(), 1);
    }

    void counterIsOutOfTheKeyboardsReach()
    {
        FrmDur *dur = formRef<FrmDur>().get();
        dur->show();
        QVERIFY(dur->findChildren<QLineEdit *>().isEmpty());
        QTest::keyClicks(dur, QStringLiteral("123"));
        QCOMPARE(dur->property("TextEcnt").toString(), QString());
    }

    void onlyAZeroCounterTakesASnapshot()
    {
        FrmTak *tak = startedPaper();
        FrmDur *dur = formRef<FrmDur>().peek();
        tak->CmdNext_Click();
        const int budget = dur->property("DivTime").toInt();
        for (int i = 0; i < 5; ++i)
            tak->Timer1_Timer();
        dur->setTextEcnt(QStringLiteral("5"));
        QCOMPARE(dur->property("DivTime").toInt(), budget);
        dur->setTextEcnt(QStringLiteral("0.4"));
        QCOMPARE(text(dur, "LabelDurTime"), QStringLiteral("0"));
        QCOMPARE(dur->property("DivTime").toInt(), budget);
        dur->setTextEcnt(QStringLiteral("0"));
        QCOMPARE(dur->property("DivTime").toInt(), tak->property("LpDivTime").toInt());
    }

    void closing_data()
    {
        QTest::addColumn<int>("countdownTicks");
        QTest::addColumn<int>("ticks");
        QTest::newRow("countdown") << 1 << 0;
        QTest::newRow("running") << 3 << 500;
        QTest::newRow("after the end") << 3 << 12600;
    }
    void closing()
    {
        QFETCH(int, countdownTicks);
        QFETCH(int, ticks);
        CueRecorder cues;
        FrmMain *menu = formRef<FrmMain>().get();
        menu->show();
        menu->CmdTak_Click();
        QPointer<FrmTak> tak = formRef<FrmTak>().peek();
        for (int i = 0; i < countdownTicks; ++i)
            tak->Timer2_Timer();
        timer(tak, "Timer1")->blockSignals(true);
        for (int i = 0; i < ticks; ++i)
            tak->Timer1_Timer();
        formRef<FrmBtn>()->CmdDone_Click();
        QPointer<FrmBtn> button = formRef<FrmBtn>().peek();
        const int cuesBefore = cues.log().played.size();
        QVERIFY(tak->close());
        QVERIFY(menu->isVisible());
        QVERIFY(!timer(tak, "Timer1")->isEnabled());
        QVERIFY(!timer(tak, "Timer2")->isEnabled());
        QVERIFY(button.isNull());
        QVERIFY(formRef<FrmBtn>().isEmpty());
        QVERIFY(formRef<FrmDur>().isEmpty());
        QCOMPARE(cues.log().played.size(), cuesBefore);

        menu->CmdTak_Click();
        QVERIFY(tak.isNull());
        FrmTak *fresh = formRef<FrmTak>().peek();
        QCOMPARE(fresh->property("DoneCnt").toInt(), 0);
        QCOMPARE(fresh->property("TotalCnt").toInt(), 0);
        QCOMPARE(formRef<FrmBtn>()->property("PrevPress").toInt(), 0);
        QVERIFY(formRef<FrmBtn>()->isVisible());
    }

    // The Done button stays when the user closes it from the window system;
    // the per-question window may be closed and the paper goes on.
    void theUserClosesTheCompanions()
    {
        FrmTak *tak = startedPaper();
        FrmBtn *button = formRef<FrmBtn>().peek();
        QVERIFY(!(button->windowFlags() & Qt::WindowCloseButtonHint));
        orv::test::closeFromWindowSystem(button);
        QVERIFY(button->isVisible());
        FrmDur *dur = formRef<FrmDur>().peek();
        orv::test::closeFromWindowSystem(dur);
        QVERIFY(!dur->isVisible());
        for (int i = 0; i < 10; ++i)
            tak->Timer1_Timer();
        QVERIFY(!dur->isVisible());
        QCOMPARE(dur->property("TextEcnt").toString(), QStringLiteral("10"));
        m_now = QTime(11, 0);
        button->CmdDone_Click();
        QCOMPARE(tak->property("DoneCnt").toInt(), 1);
        QCOMPARE(dur->property("TextEcnt").toString(), QStringLiteral("0"));
    }

    // Even closed by the program midway, the companions leave the paper
    // running and its end and closing harmless.
    void closingACompanionIsHarmless()
    {
        FrmTak *tak = startedPaper();
        formRef<FrmDur>()->close();
        formRef<FrmBtn>()->close();
        for (int i = 0; i < 300; ++i)
            tak->Timer1_Timer();
        tak->CmdNext_Click();
        QCOMPARE(formRef<FrmDur>()->property("TextEcnt").toString(), QStringLiteral("0"));
        for (int i = 0; i < 12300; ++i)
            tak->Timer1_Timer();
        QCOMPARE(text(tak, "LabelTotalTime"), QStringLiteral("-:--:--"));
        QVERIFY(tak->close());
    }

private:
    FrmTak *openPaper()
    {
        formRef<FrmMain>().get()->show();
        formRef<FrmMain>()->CmdTak_Click();
        FrmTak *tak = formRef<FrmTak>().peek();
        timer(tak, "Timer2")->blockSignals(true); // the tests step the clocks
        return tak;
    }
    FrmTak *startedPaper()
    {
        FrmTak *tak = openPaper();
        for (int i = 0; i < 3; ++i)
            tak->Timer2_Timer();
        timer(tak, "Timer1")->blockSignals(true);
        return tak;
    }

    QTime m_now;
};

QTEST_MAIN(TestMultipleChoice)
#include "tst_multiple_choice.moc"
