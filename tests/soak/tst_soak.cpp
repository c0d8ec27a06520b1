// A random soak through the real program: a seeded sequence of ticks,
// presses, typed texts, dialog entries, mute toggles and closings, with the
// program's invariants checked after every event.
//
//   ORVALEN_SOAK_EVENTS  number of events (100000 by default)
//   ORVALEN_SOAK_SEED    the seed to replay (a fresh one by default)

#include "common/clock.h"
#include "common/fonts.h"
#include "common/periodictimer.h"
#include "countdown/frmmen.h"
#include "essay/frmron.h"
#include "multiple_choice/frmbtn.h"
#include "multiple_choice/frmdur.h"
#include "multiple_choice/frmtak.h"
#include "widgets/formref.h"
#include "app/frmmain.h"
#include "widgets/platform.h"
#include "support/testsupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateTime>
#include <QLabel>
#include <QLoggingCategory>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>

#include <functional>

using namespace orv;

namespace {

const QStringList &hostileTexts()
{
    static const QStringList texts = [] {
        QStringList t{"", "-5", "-1000000", "99999999999999999999", "1e999", "１０００", "⏰", "🍜🍜", "2.5", "3.5",
                      "0", "1000", "10", "abc", " 3 ", "NaN", "inf", "-0.4", "0.005", "1,5", "3分", "7:30",
                      "24:00", ":", "1:2:3:4", "<b>1</b>", "\n", "　", "19:05:40", " 7 : 30 ", "-3"};
        t << QString(10000, u'9') << u'-' + QString(10000, u'9');
        return t;
    }();
    return texts;
}

bool isTimeText(const QString &text)
{
    static const QRegularExpression grammar(QStringLiteral("^-?(\\d+:\\d\\d:\\d\\d|\\d+:\\d\\d|\\d+)$"));
    return grammar.match(text).hasMatch();
}

} // namespace

class TestSoak : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        installFontSubstitutions();
        QLoggingCategory::setFilterRules(QStringLiteral("qt.qpa.*=false"));
        bool ok = false;
        m_seed = qEnvironmentVariableIntValue("ORVALEN_SOAK_SEED", &ok);
        if (!ok)
            m_seed = quint32(QDateTime::currentMSecsSinceEpoch());
        m_events = qEnvironmentVariableIntValue("ORVALEN_SOAK_EVENTS", &ok);
        if (!ok || m_events <= 0)
            m_events = 100000;
        qInfo("soak: %d events, seed %u (replay with ORVALEN_SOAK_SEED=%u)", m_events, m_seed, m_seed);
        setInputBoxSource([this](QWidget *, const QString &, const QString &) { return pick(hostileTexts()); });
        setTimeOfDaySource([this] { return m_now; });
        setAttentionSink([](QWidget *) {});
    }

    void cleanupTestCase()
    {
        discardAllForms();
        setInputBoxSource({});
        setTimeOfDaySource({});
        setAttentionSink({});
    }

    void soak()
    {
        orv::test::CueRecorder cues;
        m_random.seed(m_seed);
        m_now = QTime(23, 58, 0); // midnight falls early in the run
        FrmMain *menu = formRef<FrmMain>().get();
        menu->show();
        for (m_event = 0; m_event < m_events; ++m_event) {
            const int cuesBefore = cues.log().played.size();
            const bool timerOpenBefore = timerWindowOpen();
            step(menu);
            if (!timerOpenBefore && !timerWindowOpen() && cues.log().played.size() != cuesBefore)
                fail(QStringLiteral("a cue sounded with no timer window open"));
            checkInvariants(menu);
            if (QTest::currentTestFailed())
                return;
        }
        QStringList summary;
        for (auto it = m_counts.cbegin(); it != m_counts.cend(); ++it)
            summary << QStringLiteral("%1 %2").arg(it.key()).arg(it.value());
        qInfo("soak: %s", qPrintable(summary.join(QStringLiteral(", "))));
        QVERIFY(m_counts.value(QStringLiteral("open")) > 0);
    }

private:
    template <class T>
    const T &pick(const QList<T> &list)
    {
        return list.at(int(m_random.bounded(quint32(list.size()))));
    }
    bool chance(int percent) { return int(m_random.bounded(100u)) < percent; }
    void count(const char *what) { ++m_counts[QLatin1String(what)]; }

    void fail(const QString &what)
    {
        QFAIL(qPrintable(QStringLiteral("%1 (event %2, seed %3)").arg(what).arg(m_event).arg(m_seed)));
    }

    static bool openAndVisible(QWidget *w) { return w && w->isVisible(); }
    bool timerWindowOpen() const
    {
        return openAndVisible(formRef<FrmTak>().peek()) || openAndVisible(formRef<FrmRon>().peek())
               || openAndVisible(formRef<FrmMen>().peek());
    }

    // Ticks a timer's handler if, and only if, the timer would tick.
    static bool tick(QObject *window, const char *name, const std::function<void()> &handler)
    {
        auto *t = window->findChild<PeriodicTimer *>(QLatin1String(name));
        if (!t || !t->isEnabled() || t->interval() <= 0)
            return false;
        handler();
        return true;
    }

    void step(FrmMain *menu)
    {
        if (menu->isVisible()) {
            count("open");
            switch (m_random.bounded(3u)) {
            case 0: menu->CmdTak_Click(); break;
            case 1: menu->CmdRon_Click(); break;
            default: menu->CmdMen_Click(); break;
            }
            return;
        }
        if (FrmTak *tak = formRef<FrmTak>().peek(); openAndVisible(tak))
            stepPaper(tak);
        else if (FrmRon *ron = formRef<FrmRon>().peek(); openAndVisible(ron))
            stepEssay(ron);
        else if (FrmMen *men = formRef<FrmMen>().peek(); openAndVisible(men))
            stepCountdown(men);
    }

    void typeInto(QWidget *window)
    {
        if (auto *box = window->findChild<QLineEdit *>(QStringLiteral("Text1")))
            box->setText(pick(hostileTexts()));
    }

    void stepPaper(FrmTak *tak)
    {
        const int r = int(m_random.bounded(1000u));
        if (r < 2) {
            count("close");
            tak->close();
        } else if (r < 30) {
            count("type");
            typeInto(tak);
        } else if (r < 150) {
            count("press");
            m_now = m_now.addMSecs(int(m_random.bounded(5000u)));
            if (FrmBtn *button = formRef<FrmBtn>().peek(); button && button->isVisible())
                button->CmdDone_Click();
        } else if (r < 153) {
            if (FrmDur *dur = formRef<FrmDur>().peek(); dur && dur->isVisible())
                orv::test::closeFromWindowSystem(dur);
        } else if (r < 156) {
            if (FrmBtn *button = formRef<FrmBtn>().peek(); button && button->isVisible())
                orv::test::closeFromWindowSystem(button);
        } else if (r < 162) {
            // Long stretches of a paper, so that its end is reached too.
            count("stretch");
            for (int i = int(m_random.bounded(3000u)); i > 0; --i)
                tick(tak, "Timer1", [tak] { tak->Timer1_Timer(); });
        } else {
            m_now = m_now.addSecs(1);
            count("tick");
            if (!tick(tak, "Timer2", [tak] { tak->Timer2_Timer(); }))
                tick(tak, "Timer1", [tak] { tak->Timer1_Timer(); });
        }
    }

    void stepEssay(FrmRon *ron)
    {
        const int r = int(m_random.bounded(1000u));
        if (r < 3) {
            count("close");
            ron->close();
        } else if (r < 30) {
            count("type");
            typeInto(ron);
        } else if (r < 40) {
            count("stretch");
            for (int i = int(m_random.bounded(2000u)); i > 0; --i)
                tick(ron, "Timer1", [ron] { ron->Timer1_Timer(); });
        } else if (!tick(ron, "Timer2", [ron] { ron->Timer2_Timer(); })) {
            tick(ron, "Timer1", [ron] { ron->Timer1_Timer(); });
        }
    }

    void stepCountdown(FrmMen *men)
    {
        const int r = int(m_random.bounded(1000u));
        if (r < 5) {
            men->close();
            return;
        }
        if (men->findChild<QWidget *>(QStringLiteral("Picture2"))->isVisible()) {
            count("keypad");
            men->CmdTime_Click(int(m_random.bounded(6u)));
            return;
        }
        if (r < 40) {
            auto *mute = men->findChild<QCheckBox *>(QStringLiteral("Check1"));
            if (mute->isVisible()) {
                count("mute");
                mute->toggle();
            }
            return;
        }
        m_now = m_now.addSecs(chance(5) ? int(m_random.bounded(7200u)) : 1);
        tick(men, "Timer1", [men] { men->Timer1_Timer(); });
        tick(men, "Timer3", [men] { men->Timer3_Timer(); });
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
            if (!label || !label->isVisibleTo(w))
                continue;
            const QString text = label->text();
            if (!isTimeText(text) && !alsoAllowed.contains(text))
                fail(QStringLiteral("%1.%2 shows \"%3\"").arg(w->objectName(), name, text.left(40)));
        }
    }

    void checkInvariants(FrmMain *menu)
    {
        QMap<QString, int> instances;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName().startsWith(QLatin1String("Frm")))
                ++instances[w->objectName()];
        for (auto it = instances.cbegin(); it != instances.cend(); ++it)
            if (it.value() > 1)
                fail(QStringLiteral("%1 instances of %2").arg(it.value()).arg(it.key()));

        if (menu->isVisible() == timerWindowOpen())
            fail(QStringLiteral("the menu is %1 while a timer window is %2")
                     .arg(menu->isVisible() ? "shown" : "hidden", timerWindowOpen() ? "open" : "closed"));

        for (Form *form : {static_cast<Form *>(formRef<FrmTak>().peek()), static_cast<Form *>(formRef<FrmRon>().peek()),
                           static_cast<Form *>(formRef<FrmMen>().peek())}) {
            if (!form || form->isLoaded())
                continue;
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
            const bool countdownMode = men->findChild<PeriodicTimer *>(QStringLiteral("Timer1"))->isEnabled();
            if (countdownMode)
                expectTimeTexts(men, {"Label1"}, {"(^｡^)"});
        }
    }

    quint32 m_seed = 0;
    int m_events = 0;
    int m_event = 0;
    QRandomGenerator m_random;
    QTime m_now;
    QMap<QString, int> m_counts;
};

QTEST_MAIN(TestSoak)
#include "tst_soak.moc"
