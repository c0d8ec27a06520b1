// A random soak through the real program: a seeded sequence of ticks,
// presses, typed texts, dialog entries, mute toggles and closings, with the
// program's invariants checked after every event.
//
//   ORVALEN_SOAK_EVENTS  number of events (100000 by default)
//   ORVALEN_SOAK_SEED    the seed to replay (a fresh one by default)

#include "app/frmmain.h"
#include "common/fonts.h"
#include "common/periodictimer.h"
#include "countdown/frmmen.h"
#include "essay/frmron.h"
#include "multiple_choice/frmbtn.h"
#include "multiple_choice/frmdur.h"
#include "multiple_choice/frmtak.h"
#include "support/testsupport.h"
#include "widgets/formref.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateTime>
#include <QLabel>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>

using namespace orv;

namespace {

const QStringList kHostileTexts{"", "-5", "-1000000", "99999999999999999999", "1e999", "１０００", "⏰", "🍜🍜",
                                 "2.5", "3.5", "0", "1000", "10", "abc", " 3 ", "NaN", "inf", "-0.4", "0.005",
                                 "1,5", "3分", "7:30", "24:00", ":", "1:2:3:4", "<b>1</b>", "\n", "　", "19:05:40",
                                 " 7 : 30 ", "-3", QString(10000, u'9'), "-" + QString(10000, u'9')};

bool isTimeText(const QString &text)
{
    static const QRegularExpression grammar(QStringLiteral("^-?(\\d+:\\d\\d:\\d\\d|\\d+:\\d\\d|\\d+)$"));
    return grammar.match(text).hasMatch();
}

bool open(QWidget *w)
{
    return w && w->isVisible();
}

} // namespace

class TestSoak : public QObject
{
    Q_OBJECT

private slots:
    void soak()
    {
        installFontSubstitutions();
        QLoggingCategory::setFilterRules(QStringLiteral("qt.qpa.*=false"));
        bool ok = false;
        m_seed = qEnvironmentVariableIntValue("ORVALEN_SOAK_SEED", &ok);
        if (!ok)
            m_seed = quint32(QDateTime::currentMSecsSinceEpoch());
        int events = qEnvironmentVariableIntValue("ORVALEN_SOAK_EVENTS", &ok);
        events = ok && events > 0 ? events : 100000;
        qInfo("soak: %d events, seed %u (replay with ORVALEN_SOAK_SEED=%u)", events, m_seed, m_seed);
        m_random.seed(m_seed);
        test::CueRecorder cues;
        m_desktop.now = QTime(23, 58); // midnight falls early in the run
        FrmMain *menu = formRef<FrmMain>().get();
        menu->show();
        for (m_event = 0; m_event < events && !QTest::currentTestFailed(); ++m_event) {
            const qsizetype sounded = cues.played().size();
            const bool timerOpen = timerWindowOpen();
            m_desktop.answer = pick(kHostileTexts);
            step(menu);
            if (!timerOpen && !timerWindowOpen() && cues.played().size() != sounded)
                fail(QStringLiteral("a cue sounded with no timer window open"));
            checkInvariants(menu);
        }
        qInfo("soak: %d windows opened", m_openings);
        QVERIFY(m_openings > 0);
        discardAllForms();
    }

private:
    const QString &pick(const QStringList &list) { return list.at(int(m_random.bounded(quint32(list.size())))); }
    int below(int n) { return int(m_random.bounded(quint32(n))); }

    void fail(const QString &what)
    {
        QFAIL(qPrintable(QStringLiteral("%1 (event %2, seed %3)").arg(what).arg(m_event).arg(m_seed)));
    }

    static bool timerWindowOpen()
    {
        return open(formRef<FrmTak>().peek()) || open(formRef<FrmRon>().peek()) || open(formRef<FrmMen>().peek());
    }

    // Calls a timer's handler if, and only if, the timer would tick.
    static bool tick(QObject *window, const char *name)
    {
        const PeriodicTimer *t = test::timer(window, name);
        if (!t->isEnabled() || t->interval() <= 0)
            return false;
        QMetaObject::invokeMethod(window, (QByteArray(name) + "_Timer").constData());
        return true;
    }

    void step(FrmMain *menu)
    {
        if (menu->isVisible()) {
            ++m_openings;
            test::call(menu, pick({"CmdTak_Click", "CmdRon_Click", "CmdMen_Click"}).toLatin1());
            return;
        }
        const int r = below(1000);
        QWidget *w = formRef<FrmTak>().peek();
        if (!open(w))
            w = open(formRef<FrmRon>().peek()) ? static_cast<QWidget *>(formRef<FrmRon>().peek()) : formRef<FrmMen>().peek();
        if (r < 3) {
            w->close();
        } else if (auto *box = w->findChild<QLineEdit *>(QStringLiteral("Text1")); box && r < 30) {
            box->setText(pick(kHostileTexts));
        } else if (r < 35) {
            // Long stretches, so that the ends are reached too.
            for (int i = below(3000); i > 0 && tick(w, "Timer1");)
                --i;
        } else if (w == formRef<FrmTak>().peek()) {
            stepPaper(formRef<FrmTak>().peek(), r);
        } else if (w == formRef<FrmMen>().peek()) {
            stepCountdown(formRef<FrmMen>().peek(), r);
        } else if (!tick(w, "Timer2")) {
            tick(w, "Timer1");
        }
    }

    void stepPaper(FrmTak *tak, int r)
    {
        FrmBtn *button = formRef<FrmBtn>().peek();
        FrmDur *dur = formRef<FrmDur>().peek();
        if (r < 150) {
            m_desktop.now = m_desktop.now.addMSecs(below(5000));
            if (open(button))
                button->CmdDone_Click();
        } else if (r < 153 && open(dur)) {
            test::closeFromWindowSystem(dur);
        } else if (r < 156 && open(button)) {
            test::closeFromWindowSystem(button);
        } else {
            m_desktop.now = m_desktop.now.addSecs(1);
            if (!tick(tak, "Timer2"))
                tick(tak, "Timer1");
        }
    }

    void stepCountdown(FrmMen *men, int r)
    {
        if (men->findChild<QWidget *>(QStringLiteral("Picture2"))->isVisible()) {
            men->CmdTime_Click(below(6));
        } else if (auto *mute = men->findChild<QCheckBox *>(QStringLiteral("Check1")); r < 80 && mute->isVisible()) {
            mute->toggle();
        } else {
            m_desktop.now = m_desktop.now.addSecs(below(20) == 0 ? below(7200) : 1);
            tick(men, "Timer1");
            tick(men, "Timer3");
        }
    }

    void expectRange(QObject *w, const char *property, long long low, long long high)
    {
        const long long v = w->property(property).toLongLong();
        if (v < low || v > high)
            fail(QStringLiteral("%1.%2 = %3 is outside %4..%5")
                     .arg(w->objectName(), QLatin1String(property)).arg(v).arg(low).arg(high));
    }

    void expectTimeTexts(QWidget *w, const QStringList &names, const QStringList &alsoAllowed = {})
    {
        for (const QString &name : names) {
            auto *label = w->findChild<QLabel *>(name);
            if (label && label->isVisibleTo(w) && !isTimeText(label->text()) && !alsoAllowed.contains(label->text()))
                fail(QStringLiteral("%1.%2 shows \"%3\"").arg(w->objectName(), name, label->text().left(40)));
        }
    }

    void checkInvariants(FrmMain *menu)
    {
        QMap<QString, int> instances;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName().startsWith(QLatin1String("Frm")) && ++instances[w->objectName()] > 1)
                fail(QStringLiteral("two instances of %1").arg(w->objectName()));
        if (menu->isVisible() == timerWindowOpen())
            fail(QStringLiteral("the menu and a timer window are both %1").arg(menu->isVisible() ? "shown" : "hidden"));
        for (Form *form : {static_cast<Form *>(formRef<FrmTak>().peek()), static_cast<Form *>(formRef<FrmRon>().peek()),
                           static_cast<Form *>(formRef<FrmMen>().peek())}) {
            if (form && !form->isLoaded())
                for (PeriodicTimer *t : form->findChildren<PeriodicTimer *>())
                    if (t->isEnabled())
                        fail(QStringLiteral("%1.%2 runs in a closed window").arg(form->objectName(), t->objectName()));
        }
        const QStringList dashes{"--", "--:--", "-:--:--", "-"};
        if (FrmTak *tak = formRef<FrmTak>().peek()) {
            expectRange(tak, "TotalCnt", 0, 12600);
            expectRange(tak, "SlotCnt", 0, 210); // 210 only after the last tick
            expectRange(tak, "DoneCnt", 0, 59);
            expectRange(tak, "StdQNo", 0, 60);
            expectRange(tak, "CountdownStep", 0, 2);
            expectRange(tak, "LpDivTime", 0, 12600);
            expectTimeTexts(tak, {"LabelEachTime", "LabelTotalTime", "LabelEachTime2", "LabelSavedTime"}, dashes);
        }
        if (FrmBtn *button = formRef<FrmBtn>().peek()) {
            expectRange(button, "PrevPress", 0, 86400);
            expectRange(button, "ThisPress", 0, 86400);
        }
        if (FrmDur *dur = formRef<FrmDur>().peek()) {
            expectRange(dur, "DivTime", 0, 12600);
            expectTimeTexts(dur, {"LabelDurTime", "LabelEachTime2", "LabelEachTime"});
        }
        if (FrmRon *ron = formRef<FrmRon>().peek()) {
            expectRange(ron, "ElapsedSec", 0, 7200);
            expectRange(ron, "CountdownStep", 0, 2);
            expectTimeTexts(ron, {"LabelAS(0)", "LabelBS(0)", "LabelCS(0)", "LabelAS(1)", "LabelBS(1)", "LabelCS(1)",
                                  "LabelEachTime", "LabelTotalTime"},
                            dashes);
        }
        if (FrmMen *men = formRef<FrmMen>().peek()) {
            expectRange(men, "PassCnt", 0, INT_MAX);
            expectTimeTexts(men, {"Label3"});
            if (test::timer(men, "Timer1")->isEnabled())
                expectTimeTexts(men, {"Label1"}, {"(^｡^)"});
        }
    }

    quint32 m_seed = 0;
    int m_event = 0;
    int m_openings = 0;
    QRandomGenerator m_random;
    test::FakeDesktop m_desktop;
};

QTEST_MAIN(TestSoak)
#include "tst_soak.moc"
