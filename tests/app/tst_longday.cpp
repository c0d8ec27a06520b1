// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A long day with the real program. Memory stays flat: each timer window
// opened and closed 2,000 times, and 50 whole papers each in a fresh
// window, leave at most 1 MiB more anonymous memory than the first 20
// openings or the first paper, the cues going to the real player. Then a
// random soak: a seeded sequence of ticks, presses, typed texts, dialog
// entries, mute toggles and closings, with the program's invariants checked
// after every event.
//
//   ORVALEN_SOAK_EVENTS  number of events (100000 by default)
//   ORVALEN_SOAK_SEED    the seed to replay (a fresh one by default)

#include "app/frmmain.h"
#include "app/startup.h"
#include "common/periodictimer.h"
#include "cues/cue.h"
#include "support/testsupport.h"
#include "widgets/formref.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateTime>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>

using namespace orv;

namespace {

const QStringList kHostileTexts{"", "-5", "99999999999999999999", "1e999", "１０００", "🍜", "2.5", "0", "1000", "abc",
                                 " 3 ", "NaN", "-0.4", "0.005", "1,5", "3分", "7:30", "24:00", ":", "1:2:3:4",
                                 "<b>1</b>", "\n", "19:05:40", " 7 : 30 ", "-3", QString(10000, u'9')};

// Each window, the figures it may show only as times (or dashes), and the
// ranges of its counters.
const QList<std::tuple<const char *, const char *, const char *>> kWindows{
    {"FrmTak", "LabelEachTime LabelTotalTime LabelEachTime2 LabelSavedTime",
     "TotalCnt 0 12600 SlotCnt 0 210 DoneCnt 0 59 StdQNo 0 60 CountdownStep 0 2 LpDivTime 0 12600"},
    {"FrmDur", "LabelDurTime LabelEachTime2 LabelEachTime", "DivTime 0 12600"}, {"FrmBtn", "", "PrevPress 0 86400 ThisPress 0 86400"},
    {"FrmRon", "LabelAS(0) LabelBS(0) LabelCS(0) LabelAS(1) LabelBS(1) LabelCS(1) LabelEachTime LabelTotalTime",
     "ElapsedSec 0 7200 CountdownStep 0 2"}, {"FrmMen", "Label3", "PassCnt 0 2147483647"}};

QWidget *timerWindow()
{
    for (const char *name : {"FrmTak", "FrmRon", "FrmMen"})
        if (QWidget *w = test::window(QLatin1String(name)); w && w->isVisible())
            return w;
    return nullptr;
}

// Calls a clock's handler if, and only if, the clock would tick.
bool tick(QObject *window, const char *name)
{
    const PeriodicTimer *t = test::timer(window, name);
    return t && t->isEnabled() && t->interval() > 0 && QMetaObject::invokeMethod(window, (QByteArray(name) + "_Timer").constData());
}

// Anonymous memory in KiB: unlike PSS it does not move when other
// processes map the same libraries.
long anonymousKiB()
{
    QFile rollup(QStringLiteral("/proc/self/smaps_rollup"));
    const QByteArray text = rollup.open(QIODevice::ReadOnly) ? rollup.readAll() : QByteArray();
    const qsizetype at = text.indexOf("Anonymous:");
    return at < 0 ? -1 : text.mid(at + 10, 20).trimmed().split(' ').value(0).toLong();
}

// Opens a timer from the menu, runs its steps painted as on screen, and
// closes it.
void session(const char *opener, const char *name, const QString &steps = {})
{
    // Inside the measured steps a failed step cannot stop the test: it stops the run.
    if (!test::call(formRef<FrmMain>().get(), opener))
        qFatal("the menu has no %s", opener);
    QCoreApplication::processEvents();
    QWidget *timer = test::window(QLatin1String(name));
    if (!test::run(timer, steps))
        qFatal("%s did not take %s", name, qPrintable(steps));
    QCoreApplication::processEvents();
    timer->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void expectFlat(const char *what, const std::function<void()> &once, int times, int settled)
{
    long first = 0;
    for (int i = 1; i <= times; ++i) {
        once();
        if (i == settled)
            first = anonymousKiB();
    }
    const long grown = anonymousKiB() - first;
    const QString verdict = QStringLiteral("%1: %2 KiB after %3, %4 KiB more after %5")
                                .arg(QLatin1String(what)).arg(first).arg(settled).arg(grown).arg(times);
    qInfo("%s", qPrintable(verdict));
    QVERIFY2(first > 0 && grown <= 1024, qPrintable(verdict));
}

} // namespace

class TestLongDay : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        prepareApplication();
        formRef<FrmMain>().get()->show();
    }
    void cleanupTestCase()
    {
        discardAllForms();
        stopCues();
    }

    void reopenings()
    {
#if defined(__SANITIZE_ADDRESS__)
        QSKIP("the address sanitizer keeps freed memory in quarantine");
#endif
        prepareCues();
        expectFlat("FrmTak", [] { session("CmdTak_Click", "FrmTak"); }, 2000, 20);
        expectFlat("FrmRon", [] { session("CmdRon_Click", "FrmRon"); }, 2000, 20);
        expectFlat("FrmMen", [] { session("CmdMen_Click", "FrmMen"); }, 2000, 20);
    }

    // The pacing timer's 12,600 ticks with a question done every 210, then
    // the essay timer's 7,200.
    void papers()
    {
#if defined(__SANITIZE_ADDRESS__)
        QSKIP("the address sanitizer keeps freed memory in quarantine");
#endif
        const QString paper = QStringLiteral("Timer2_Timer*3") + QString(" Timer1_Timer*210 CmdNext_Click").repeated(60);
        expectFlat("papers", [&] {
            session("CmdTak_Click", "FrmTak", paper);
            session("CmdRon_Click", "FrmRon", QStringLiteral("Timer2_Timer*3 Timer1_Timer*7200"));
        }, 50, 1);
    }

    void soak()
    {
        bool ok = false;
        m_seed = qEnvironmentVariableIntValue("ORVALEN_SOAK_SEED", &ok);
        m_seed = ok ? m_seed : quint32(QDateTime::currentMSecsSinceEpoch());
        const int events = qEnvironmentVariableIntValue("ORVALEN_SOAK_EVENTS", &ok);
        qInfo("soak: seed %u (replay with ORVALEN_SOAK_SEED=%u)", m_seed, m_seed);
        m_random.seed(m_seed);
        test::FakeDesktop desktop;
        desktop.now = QTime(23, 58); // midnight falls early in the run
        for (m_event = 0; m_event < (ok && events > 0 ? events : 100000) && !QTest::currentTestFailed(); ++m_event) {
            const qsizetype sounded = desktop.played.size();
            const bool open = timerWindow();
            desktop.answer = kHostileTexts.at(below(int(kHostileTexts.size())));
            desktop.now = desktop.now.addMSecs(below(20) ? below(3000) : below(7200000));
            step(timerWindow());
            if (!open && !timerWindow() && desktop.played.size() != sounded)
                fail(QStringLiteral("a cue sounded with no timer window open"));
            checkInvariants();
        }
    }

private:
    int below(int n) { return int(m_random.bounded(quint32(n))); }

    void fail(const QString &what)
    {
        QFAIL(qPrintable(QStringLiteral("%1 (event %2, seed %3)").arg(what).arg(m_event).arg(m_seed)));
    }

    void step(QWidget *w)
    {
        const int r = below(1000);
        QWidget *button = test::window(QStringLiteral("FrmBtn")), *dur = test::window(QStringLiteral("FrmDur"));
        auto *box = w ? w->findChild<QLineEdit *>(QStringLiteral("Text1")) : nullptr;
        auto *mute = w ? w->findChild<QCheckBox *>(QStringLiteral("Check1")) : nullptr;
        QWidget *keypad = w ? w->findChild<QWidget *>(QStringLiteral("Picture2")) : nullptr;
        if (!w)
            QVERIFY(test::call(formRef<FrmMain>().get(), QByteArrayList{"CmdTak_Click", "CmdRon_Click", "CmdMen_Click"}[below(3)]));
        else if (r < 3)
            w->close();
        else if (r < 30 && box)
            box->setText(kHostileTexts.at(below(int(kHostileTexts.size()))));
        else if (r < 35) // long stretches, so that the ends are reached too
            for (int i = below(3000); i > 0 && tick(w, "Timer1"); --i) {}
        else if (r < 150 && button && button->isVisible())
            QVERIFY(test::call(button, "CmdDone_Click"));
        else if (r < 156 && (r < 153 ? dur : button) && (r < 153 ? dur : button)->isVisible())
            test::closeFromWindowSystem(r < 153 ? dur : button);
        else if (r < 400 && mute && keypad->isVisible())
            QMetaObject::invokeMethod(w, "CmdTime_Click", Q_ARG(int, below(6)));
        else if (r < 450 && mute && mute->isVisible())
            mute->toggle();
        else if (!tick(w, "Timer2") && !tick(w, "Timer1"))
            tick(w, "Timer3");
    }

    void checkInvariants()
    {
        static const QRegularExpression timeText(QStringLiteral("^-?(\\d+:\\d\\d:\\d\\d|\\d+:\\d\\d|\\d+)$"));
        QStringList names;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName().startsWith(QLatin1String("Frm")) && names.contains(w->objectName()))
                fail("two instances of " + w->objectName());
            else
                names << w->objectName();
        if (formRef<FrmMain>().get()->isVisible() == (timerWindow() != nullptr))
            fail(QStringLiteral("the menu and the timer windows are all shown or all hidden"));
        for (const auto &[name, figures, ranges] : kWindows) {
            auto *form = qobject_cast<Form *>(test::window(QLatin1String(name)));
            for (PeriodicTimer *t : form ? form->findChildren<PeriodicTimer *>() : QList<PeriodicTimer *>())
                if (t->isEnabled() && !form->isLoaded())
                    fail(QStringLiteral("%1.%2 runs in a closed window").arg(name, t->objectName()));
            for (const QString &figure : form ? QString::fromLatin1(figures).split(u' ', Qt::SkipEmptyParts) : QStringList()) {
                const QString text = form->findChild<QLabel *>(figure)->text();
                if (!timeText.match(text).hasMatch() && !QStringList({"--", "--:--", "-:--:--", "-"}).contains(text))
                    fail(QStringLiteral("%1.%2 shows \"%3\"").arg(name, figure, text.left(40)));
            }
            const QStringList range = QString::fromLatin1(ranges).split(u' ');
            for (qsizetype i = 0; form && i + 2 < range.size(); i += 3) {
                const long long v = form->property(range[i].toLatin1()).toLongLong();
                if (v < range[i + 1].toLongLong() || v > range[i + 2].toLongLong())
                    fail(QStringLiteral("%1.%2 = %3").arg(name, range[i]).arg(v));
            }
        }
    }

    quint32 m_seed = 0;
    int m_event = 0;
    QRandomGenerator m_random;
};

QTEST_MAIN(TestLongDay)
#include "tst_longday.moc"
