#include "common/fonts.h"
#include "common/periodictimer.h"
#include "essay/frmron.h"
#include "essay/schedule.h"
#include "widgets/controls.h"
#include "widgets/formref.h"
#include "app/frmmain.h"
#include "support/testsupport.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTest>

#include <climits>

using namespace orv;
using Kind = essay::Effect::Kind;
using orv::test::CueRecorder;

namespace {

QString labelText(QWidget *w, const QString &name)
{
    auto *label = w->findChild<QLabel *>(name);
    return label ? label->text() : QStringLiteral("<missing %1>").arg(name);
}

PeriodicTimer *timer(QObject *w, const char *name)
{
    return w->findChild<PeriodicTimer *>(QLatin1String(name));
}

} // namespace

class TestEssay : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { installFontSubstitutions(); }
    void cleanup() { discardAllForms(); }

    void openingShowsTheCountdownCover()
    {
        CueRecorder cues;
        FrmMain *menu = formRef<FrmMain>().get();
        menu->show();
        menu->CmdRon_Click();
        FrmRon *ron = formRef<FrmRon>().peek();
        QVERIFY(ron && ron->isVisible());
        QVERIFY(!menu->isVisible());
        QCOMPARE(ron->windowTitle(), QStringLiteral("論文タイマー"));
        QCOMPARE(ron->size(), QSize(312, 213));
        QCOMPARE(cues.log().played, QStringList({"s01.wav"}));
        QCOMPARE(labelText(ron, "Label1"), QStringLiteral("③"));
        QWidget *cover = ron->findChild<QWidget *>(QStringLiteral("Picture1"));
        QVERIFY(cover->isVisible());
        QWidget *front = nullptr;
        for (QObject *child : ron->children())
            if (child->isWidgetType())
                front = static_cast<QWidget *>(child);
        QCOMPARE(front, cover);
        QCOMPARE(timer(ron, "Timer2")->interval(), 1000);
        QVERIFY(timer(ron, "Timer2")->isEnabled());
        QCOMPARE(timer(ron, "Timer1")->interval(), 0);
        QVERIFY(!timer(ron, "Timer1")->isEnabled());
        QCOMPARE(ron->property("ElapsedSec").toInt(), 0);
        QCOMPARE(ron->property("CountdownStep").toInt(), 0);
    }

    void countdownTimeline()
    {
        CueRecorder cues;
        FrmRon *ron = openFresh();
        cues.clear();
        ron->Timer2_Timer();
        QCOMPARE(labelText(ron, "Label1"), QStringLiteral("②"));
        QCOMPARE(cues.log().played, QStringList({"s01.wav"}));
        ron->Timer2_Timer();
        QCOMPARE(labelText(ron, "Label1"), QStringLiteral("①"));
        QCOMPARE(ron->property("CountdownStep").toInt(), 2);
        QVERIFY(ron->findChild<QWidget *>(QStringLiteral("Picture1"))->isVisible());
        ron->Timer2_Timer();
        QCOMPARE(labelText(ron, "Label1"), QString());
        QCOMPARE(cues.log().played, QStringList({"s01.wav", "s01.wav", "s03.wav"}));
        QCOMPARE(ron->property("CountdownStep").toInt(), 0);
        QVERIFY(!timer(ron, "Timer2")->isEnabled());
        QVERIFY(timer(ron, "Timer1")->isEnabled());
        QCOMPARE(timer(ron, "Timer1")->interval(), 1000);
        QVERIFY(!ron->findChild<QWidget *>(QStringLiteral("Picture1"))->isVisible());
        QVERIFY(ron->findChild<QWidget *>(QStringLiteral("Picture2"))->isVisible());
    }

    void countdownStartOrder()
    {
        int step = 2;
        const essay::Effects effects = essay::countdownTick(step);
        const essay::Effects expected{{Kind::Caption, "Label1", QString()},
                                      {Kind::Enable, "Timer2", {}, 0},
                                      {Kind::Cue, "s03.wav"},
                                      {Kind::Interval, "Timer1", {}, 1000},
                                      {Kind::Enable, "Timer1", {}, 1},
                                      {Kind::Hide, "Picture1"}};
        QVERIFY(effects == expected);
        QCOMPARE(step, 0);
    }

    void phaseChangeOrder_data()
    {
        QTest::addColumn<int>("t");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("600") << 600 << QStringList{"cue s02.wav", "hide LabelA(0)", "hide LabelAS(0)",
                                                   "width LabelB(0) 1200", "caption LabelBS(0) 20:00",
                                                   "caption LabelEachTime 50:00", "caption LabelTotalTime 1:50:00"};
        QTest::newRow("3600") << 3600 << QStringList{"cue s02.wav", "caption LabelQNo 2", "hide LabelC(0)",
                                                     "hide LabelCS(0)", "width LabelA(1) 600",
                                                     "caption LabelAS(1) 10:00", "caption LabelEachTime 0",
                                                     "caption LabelTotalTime 1:00:00"};
        QTest::newRow("3601 repeats the phase steps")
            << 3601 << QStringList{"caption LabelQNo 2", "hide LabelC(0)", "hide LabelCS(0)", "width LabelA(1) 599",
                                   "caption LabelAS(1) 9:59", "caption LabelEachTime 59:59",
                                   "caption LabelTotalTime 59:59"};
        QTest::newRow("end") << 7200 << QStringList{"enable Timer1 0", "hide LabelC(1)", "hide LabelCS(1)",
                                                    "caption LabelQNo --", "caption LabelEachTime --:--",
                                                    "caption LabelTotalTime -:--:--", "cue s04.wav"};
    }
    void phaseChangeOrder()
    {
        QFETCH(int, t);
        QFETCH(QStringList, expected);
        int elapsed = t - 1;
        QStringList got;
        for (const essay::Effect &e : essay::runTick(elapsed)) {
            const QString target = QLatin1String(e.target);
            switch (e.kind) {
            case Kind::Caption: got << "caption " + target + " " + e.text; break;
            case Kind::Width: got << "width " + target + " " + QString::number(e.value); break;
            case Kind::Hide: got << "hide " + target; break;
            case Kind::Interval: got << "interval " + target + " " + QString::number(e.value); break;
            case Kind::Enable: got << "enable " + target + " " + QString::number(e.value); break;
            case Kind::Cue: got << "cue " + target; break;
            }
        }
        QCOMPARE(got, expected);
        QCOMPARE(elapsed, t);
    }

    // The displays after chosen ticks of a run driven through the window.
    void displaysDuringTheRun_data()
    {
        QTest::addColumn<int>("t");
        QTest::addColumn<QString>("bar");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("phaseLabel");
        QTest::addColumn<QString>("phaseText");
        QTest::addColumn<QStringList>("hidden");
        QTest::addColumn<QString>("question");
        QTest::addColumn<QString>("each");
        QTest::addColumn<QString>("total");
        QTest::addColumn<QString>("cue");
        auto row = [](int t, const char *bar, int width, const char *label, const char *text,
                      const QStringList &hidden, const char *q, const char *each, const char *total,
                      const char *cue) {
            QTest::addRow("t=%d", t) << t << bar << width << label << text << hidden << q << each << total << cue;
        };
        row(1, "LabelA(0)", 599, "LabelAS(0)", "9:59", {}, "1", "59:59", "1:59:59", "");
        row(540, "LabelA(0)", 60, "LabelAS(0)", "1:00", {}, "1", "51:00", "1:51:00", "");
        row(541, "LabelA(0)", 59, "LabelAS(0)", "59", {}, "1", "50:59", "1:50:59", "");
        row(599, "LabelA(0)", 1, "LabelAS(0)", "1", {}, "1", "50:01", "1:50:01", "");
        row(600, "LabelB(0)", 1200, "LabelBS(0)", "20:00", {"LabelA(0)", "LabelAS(0)"}, "1", "50:00", "1:50:00", "s02.wav");
        row(1800, "LabelC(0)", 1800, "LabelCS(0)", "30:00", {"LabelB(0)", "LabelBS(0)"}, "1", "30:00", "1:30:00", "s02.wav");
        row(3599, "LabelC(0)", 1, "LabelCS(0)", "1", {}, "1", "1", "1:00:01", "");
        row(3600, "LabelA(1)", 600, "LabelAS(1)", "10:00", {"LabelC(0)", "LabelCS(0)"}, "2", "0", "1:00:00", "s02.wav");
        row(3601, "LabelA(1)", 599, "LabelAS(1)", "9:59", {}, "2", "59:59", "59:59", "");
        row(4200, "LabelB(1)", 1200, "LabelBS(1)", "20:00", {"LabelA(1)", "LabelAS(1)"}, "2", "50:00", "50:00", "s02.wav");
        row(5400, "LabelC(1)", 1800, "LabelCS(1)", "30:00", {"LabelB(1)", "LabelBS(1)"}, "2", "30:00", "30:00", "s02.wav");
        row(7140, "LabelC(1)", 60, "LabelCS(1)", "1:00", {}, "2", "1:00", "1:00", "");
        row(7199, "LabelC(1)", 1, "LabelCS(1)", "1", {}, "2", "1", "1", "");
        row(7200, "", 0, "", "", {"LabelC(1)", "LabelCS(1)"}, "--", "--:--", "-:--:--", "s04.wav");
    }
    void displaysDuringTheRun()
    {
        QFETCH(int, t);
        QFETCH(QString, bar);
        QFETCH(int, width);
        QFETCH(QString, phaseLabel);
        QFETCH(QString, phaseText);
        QFETCH(QStringList, hidden);
        QFETCH(QString, question);
        QFETCH(QString, each);
        QFETCH(QString, total);
        QFETCH(QString, cue);

        CueRecorder cues;
        FrmRon *ron = startedRun();
        for (int i = 1; i < t; ++i)
            ron->Timer1_Timer();
        cues.clear();
        ron->Timer1_Timer();

        QCOMPARE(ron->property("ElapsedSec").toInt(), t);
        if (!bar.isEmpty()) {
            QWidget *b = ron->findChild<QWidget *>(bar);
            QVERIFY(b->isVisible());
            QCOMPARE(b->property("twips").toRect().width(), width);
            QCOMPARE(b->property("twips").toRect().left(), bar.startsWith("LabelC") ? 270 : bar.startsWith("LabelB") ? 2070 : 3270);
            QCOMPARE(labelText(ron, phaseLabel), phaseText);
        }
        for (const QString &name : hidden)
            QVERIFY2(!ron->findChild<QWidget *>(name)->isVisible(), qPrintable(name));
        QCOMPARE(labelText(ron, "LabelQNo"), question);
        QCOMPARE(labelText(ron, "LabelEachTime"), each);
        QCOMPARE(labelText(ron, "LabelTotalTime"), total);
        QCOMPARE(cues.log().played, cue.isEmpty() ? QStringList() : QStringList{cue});
    }

    // A whole run: every cue in order, and the end state.
    void wholeRun()
    {
        CueRecorder cues;
        orv::test::AttentionRecorder attention;
        FrmRon *ron = startedRun();
        cues.clear();
        for (int i = 0; i < essay::kRunTicks; ++i)
            ron->Timer1_Timer();
        QCOMPARE(cues.log().played,
                 QStringList({"s02.wav", "s02.wav", "s02.wav", "s02.wav", "s02.wav", "s04.wav"}));
        QCOMPARE(attention.windows(), QStringList({"FrmRon"}));
        QVERIFY(!timer(ron, "Timer1")->isEnabled());
        for (const char *set : {"LabelA", "LabelB", "LabelC", "LabelAS", "LabelBS", "LabelCS"})
            for (int i = 0; i < 2; ++i)
                QVERIFY(!ron->findChild<QWidget *>(indexedName(set, i))->isVisible());
        // A stray tick after the end changes nothing.
        ron->Timer1_Timer();
        QCOMPARE(ron->property("ElapsedSec").toInt(), essay::kRunTicks);
        QCOMPARE(labelText(ron, "LabelTotalTime"), QStringLiteral("-:--:--"));
        QCOMPARE(cues.log().played.size(), 6);
        QCOMPARE(attention.windows().size(), 1);
    }

    void tickLengthBox_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("interval");
        QTest::addColumn<bool>("ticking");
        QTest::newRow("500") << "500" << 500 << true;
        QTest::newRow("2.5 half to even") << "2.5" << 2 << true;
        QTest::newRow("3.5 half to even") << "3.5" << 4 << true;
        QTest::newRow("digits then letters") << "120abc" << 120 << true;
        QTest::newRow("empty freezes") << "" << 0 << false;
        QTest::newRow("letters freeze") << "abc" << 0 << false;
        QTest::newRow("negative freezes") << "-5" << -5 << false;
        QTest::newRow("half a millisecond") << "0.5" << 0 << false;
        QTest::newRow("huge clamps") << "99999999999999" << INT_MAX << true;
        QTest::newRow("ten thousand digits") << QString(10000, u'9') << INT_MAX << true;
        QTest::newRow("no exponent") << "1e999" << 1 << true;
        QTest::newRow("full-width digits") << "１０００" << 0 << false;
    }
    void tickLengthBox()
    {
        QFETCH(QString, text);
        QFETCH(int, interval);
        QFETCH(bool, ticking);
        FrmRon *ron = startedRun();
        ron->Timer1_Timer();
        ron->findChild<QLineEdit *>(QStringLiteral("Text1"))->setText(text);
        PeriodicTimer *t1 = timer(ron, "Timer1");
        QCOMPARE(t1->interval(), interval);
        QVERIFY(t1->isEnabled()); // the box never enables or disables the clock
        QCOMPARE(t1->isTicking(), ticking);
        QCOMPARE(ron->property("ElapsedSec").toInt(), 1);
    }

    void freezingAndResumingKeepsTheTick()
    {
        FrmRon *ron = startedRun();
        for (int i = 0; i < 5; ++i)
            ron->Timer1_Timer();
        auto *box = ron->findChild<QLineEdit *>(QStringLiteral("Text1"));
        box->setText(QString());
        QVERIFY(!timer(ron, "Timer1")->isTicking());
        box->setText(QStringLiteral("1000"));
        QVERIFY(timer(ron, "Timer1")->isTicking());
        QCOMPARE(ron->property("ElapsedSec").toInt(), 5);
    }

    void typedKeysReachTheBox()
    {
        FrmRon *ron = startedRun();
        auto *box = ron->findChild<QLineEdit *>(QStringLiteral("Text1"));
        box->selectAll();
        QTest::keyClicks(box, QStringLiteral("250"));
        QCOMPARE(timer(ron, "Timer1")->interval(), 250);
    }

    void aChangeBeforeTheStartIsOverridden()
    {
        FrmRon *ron = openFresh();
        auto *box = ron->findChild<QLineEdit *>(QStringLiteral("Text1"));
        box->setText(QStringLiteral("10"));
        QCOMPARE(timer(ron, "Timer1")->interval(), 10);
        QVERIFY(!timer(ron, "Timer1")->isEnabled());
        for (int i = 0; i < 3; ++i)
            ron->Timer2_Timer();
        QCOMPARE(timer(ron, "Timer1")->interval(), 1000);
        QCOMPARE(box->text(), QStringLiteral("10"));
    }

    void aChangeAfterTheEndRestartsNothing()
    {
        FrmRon *ron = startedRun();
        for (int i = 0; i < essay::kRunTicks; ++i)
            ron->Timer1_Timer();
        ron->findChild<QLineEdit *>(QStringLiteral("Text1"))->setText(QStringLiteral("10"));
        QVERIFY(!timer(ron, "Timer1")->isEnabled());
        QVERIFY(!timer(ron, "Timer1")->isTicking());
    }

    void closing_data()
    {
        QTest::addColumn<int>("countdownTicks");
        QTest::addColumn<int>("runTicks");
        QTest::newRow("during the countdown") << 1 << 0;
        QTest::newRow("during the run") << 3 << 100;
        QTest::newRow("after the end") << 3 << essay::kRunTicks;
    }
    void closing()
    {
        QFETCH(int, countdownTicks);
        QFETCH(int, runTicks);
        CueRecorder cues;
        FrmMain *menu = formRef<FrmMain>().get();
        menu->show();
        menu->CmdRon_Click();
        QPointer<FrmRon> ron = formRef<FrmRon>().peek();
        for (int i = 0; i < countdownTicks; ++i)
            ron->Timer2_Timer();
        for (int i = 0; i < runTicks; ++i)
            ron->Timer1_Timer();
        const int cuesBefore = cues.log().played.size();
        QVERIFY(ron->close());
        QVERIFY(menu->isVisible());
        QVERIFY(!timer(ron, "Timer1")->isEnabled());
        QVERIFY(!timer(ron, "Timer2")->isEnabled());
        QCOMPARE(cues.log().played.size(), cuesBefore); // no cue on closing

        menu->CmdRon_Click();
        QVERIFY(ron.isNull());
        FrmRon *fresh = formRef<FrmRon>().peek();
        QCOMPARE(fresh->property("ElapsedSec").toInt(), 0);
        QCOMPARE(labelText(fresh, "Label1"), QStringLiteral("③"));
        QCOMPARE(fresh->findChild<QWidget *>(QStringLiteral("LabelC(0)"))->property("twips").toRect().width(), 1800);
        QVERIFY(fresh->findChild<QWidget *>(QStringLiteral("LabelA(0)"))->isVisibleTo(fresh));
    }

    void restTimesUseFloorDivision_data()
    {
        QTest::addColumn<int>("t");
        QTest::addColumn<QString>("question");
        QTest::addColumn<QString>("run");
        QTest::newRow("0") << 0 << "1:00:00" << "2:00:00";
        QTest::newRow("3600") << 3600 << "0" << "1:00:00";
        QTest::newRow("3659") << 3659 << "59:01" << "59:01";
        QTest::newRow("7141") << 7141 << "59" << "59";
    }
    void restTimesUseFloorDivision()
    {
        QFETCH(int, t);
        QFETCH(QString, question);
        QFETCH(QString, run);
        QString e, r;
        essay::restTimes(t, e, r);
        QCOMPARE(e, question);
        QCOMPARE(r, run);
    }

private:
    FrmRon *openFresh()
    {
        formRef<FrmRon>().renew()->show();
        return formRef<FrmRon>().peek();
    }
    FrmRon *startedRun()
    {
        FrmRon *ron = openFresh();
        for (int i = 0; i < 3; ++i)
            ron->Timer2_Timer();
        // The tests step the clock by hand.
        timer(ron, "Timer1")->blockSignals(true);
        return ron;
    }
};

QTEST_MAIN(TestEssay)
#include "tst_essay.moc"
