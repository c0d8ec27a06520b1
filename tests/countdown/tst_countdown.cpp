#include "common/clock.h"
#include "common/fonts.h"
#include "common/periodictimer.h"
#include "countdown/countdownlogic.h"
#include "countdown/frmmen.h"
#include "widgets/controls.h"
#include "widgets/formref.h"
#include "app/frmmain.h"
#include "widgets/platform.h"
#include "support/testsupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <climits>

using namespace orv;
using orv::test::CueRecorder;
using orv::test::LogCapture;

namespace {

struct DialogCall
{
    QString title;
    QString prompt;
};

} // namespace

class TestCountdown : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { installFontSubstitutions(); }

    void init()
    {
        m_answer.clear();
        m_calls.clear();
        setInputBoxSource([this](QWidget *, const QString &title, const QString &prompt) {
            m_calls.push_back({title, prompt});
            return m_answer;
        });
        m_now = QTime(12, 0, 0);
        setTimeOfDaySource([this] { return m_now; });
    }

    void cleanup()
    {
        discardAllForms();
        setInputBoxSource({});
        setTimeOfDaySource({});
    }

    void opening()
    {
        FrmMain *menu = formRef<FrmMain>().get();
        menu->show();
        menu->CmdMen_Click();
        FrmMen *men = formRef<FrmMen>().peek();
        QVERIFY(men && men->isVisible());
        QVERIFY(!menu->isVisible());
        QCOMPARE(men->windowTitle(), QStringLiteral("ラーメンタイマー"));
        QCOMPARE(men->size(), QSize(312, 213));
        QVERIFY(widget("Picture2")->isVisible());
        QCOMPARE(lastWidgetChild(men)->objectName(), QStringLiteral("Picture2"));
        QVERIFY(!widget("TxtTime")->isVisible());
        QCOMPARE(lineEdit("TxtTime")->text(), QStringLiteral("10"));
        QVERIFY(!timer("Timer1")->isEnabled());
        QVERIFY(!timer("Timer3")->isEnabled());
        QVERIFY(button(2)->isDefault());
        int defaults = 0;
        for (QPushButton *b : men->findChildren<QPushButton *>())
            defaults += b->isDefault();
        QCOMPARE(defaults, 1);
        for (const char *hidden : {"Label4", "Label3", "Label2", "Check1"})
            QVERIFY2(!widget(hidden)->isVisibleTo(men), hidden);
        QCOMPARE(men->property("LimTime").toInt(), 0);
        QCOMPARE(men->property("AlmTime").toString(), QString());
        QCOMPARE(men->property("AlmOn").toBool(), false);
    }

    void keypad_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QRect>("twips");
        QTest::addColumn<double>("points");
        QTest::newRow("1") << 0 << "１" << QRect(450, 630, 975, 735) << 20.25;
        QTest::newRow("2") << 1 << "２" << QRect(1710, 630, 975, 735) << 20.25;
        QTest::newRow("3") << 2 << "３" << QRect(2970, 630, 975, 735) << 20.25;
        QTest::newRow("4") << 3 << "４" << QRect(450, 1620, 975, 735) << 20.25;
        QTest::newRow("5") << 4 << "５" << QRect(1710, 1620, 975, 735) << 20.25;
        QTest::newRow("input") << 5 << "入力" << QRect(2970, 1620, 975, 735) << 12.0;
    }
    void keypad()
    {
        QFETCH(int, index);
        QFETCH(QString, caption);
        QFETCH(QRect, twips);
        QFETCH(double, points);
        open();
        QPushButton *b = button(index);
        QCOMPARE(b->text(), caption);
        QCOMPARE(b->property("twips").toRect(), twips);
        QCOMPARE(b->font().family(), kPGothic);
        QCOMPARE(b->font().pointSizeF(), points);
        QVERIFY(b->font().bold());
        if (index < 5)
            QCOMPARE(b->nextInFocusChain(), static_cast<QWidget *>(button(index + 1)));
    }

    void displayLooks()
    {
        open();
        QCOMPARE(label("Label1")->font().pointSizeF(), 72.0);
        QVERIFY(!label("Label1")->font().bold());
        QCOMPARE(label("Label4")->palette().color(QPalette::WindowText), QColor(128, 128, 255));
        QCOMPARE(label("Label4")->property("twips").toRect().width(), 3135);
        QCOMPARE(label("Label3")->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        QCOMPARE(label("Label3")->font().pointSizeF(), 20.25);
        QCOMPARE(label("Label2")->text(), QStringLiteral("(over)"));
        QCOMPARE(label("Label2")->font().pointSizeF(), 14.25);
        QCOMPARE(qobject_cast<QCheckBox *>(widget("Check1"))->text(), QStringLiteral("ミュート"));
        QCOMPARE(widget("Picture1")->palette().color(QPalette::Window), QColor(Qt::white));
        QCOMPARE(widget("Picture2")->palette().color(QPalette::Window), QColor(192, 192, 192));
        for (const char *name : {"Label1", "Label4", "Label3", "Label2", "Check1"})
            QCOMPARE(widget(name)->parentWidget(), widget("Picture1"));
    }

    void presets_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("limTime");
        QTest::addColumn<QString>("display");
        QTest::newRow("1") << 0 << 60 << "60";
        QTest::newRow("2") << 1 << 120 << "2:00";
        QTest::newRow("3") << 2 << 180 << "3:00";
        QTest::newRow("4") << 3 << 240 << "4:00";
        QTest::newRow("5") << 4 << 300 << "5:00";
    }
    void presets()
    {
        QFETCH(int, index);
        QFETCH(int, limTime);
        QFETCH(QString, display);
        FrmMen *men = open();
        LogCapture shell("orvalen.shell");
        QTest::mouseClick(button(index), Qt::LeftButton);
        QCOMPARE(men->property("LimTime").toInt(), limTime);
        QCOMPARE(label("Label1")->text(), display);
        QCOMPARE(label("Label1")->font().pointSizeF(), 72.0);
        QCOMPARE(shell.lines(), QStringList({"beep"}));
        QVERIFY(!widget("Picture2")->isVisible());
        QCOMPARE(timer("Timer1")->interval(), 1000);
        QVERIFY(timer("Timer1")->isEnabled());
        QVERIFY(!timer("Timer3")->isEnabled());
        QVERIFY(m_calls.isEmpty());
    }

    void oneMinutePresetShowsSixtyThenFiftyNine()
    {
        FrmMen *men = open();
        men->CmdTime_Click(0);
        QCOMPARE(label("Label1")->text(), QStringLiteral("60"));
        stopClocks();
        men->Timer1_Timer();
        QCOMPARE(label("Label1")->text(), QStringLiteral("59"));
    }

    void theDialog()
    {
        FrmMen *men = open();
        m_answer = QStringLiteral("3");
        men->CmdTime_Click(5);
        QCOMPARE(m_calls.size(), 1);
        QCOMPARE(m_calls[0].title, QStringLiteral("Orvalen"));
        QCOMPARE(m_calls[0].prompt,
                 QStringLiteral("数値を入力してください。（分単位：小数可）\r\nまたは時刻を入力してください（hh:mm形式）"));
    }

    void cancelOrEmptyDoesNothing()
    {
        FrmMen *men = open();
        LogCapture shell("orvalen.shell");
        m_answer = QString();
        men->CmdTime_Click(5);
        QCOMPARE(m_calls.size(), 1);
        QVERIFY(shell.lines().isEmpty());
        QVERIFY(widget("Picture2")->isVisible());
        QVERIFY(!timer("Timer1")->isEnabled());
        QVERIFY(!timer("Timer3")->isEnabled());
        QCOMPARE(lineEdit("TxtTime")->text(), QStringLiteral("10"));
        QVERIFY(button(2)->isDefault());
    }

    void typedMinutes_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<int>("limTime");
        QTest::addColumn<QString>("display");
        QTest::addColumn<double>("points");
        QTest::newRow("3") << "3" << 180 << "3:00" << 72.0;
        QTest::newRow("2.5") << "2.5" << 150 << "2:30" << 72.0;
        QTest::newRow("0.5") << "0.5" << 30 << "30" << 72.0;
        QTest::newRow("90") << "90" << 5400 << "1:30:00" << 72.0;
        QTest::newRow("3分") << "3分" << 180 << "3:00" << 72.0;
        QTest::newRow("1 5") << "1 5" << 900 << "15:00" << 72.0;
        QTest::newRow("1,5") << "1,5" << 60 << "1:00" << 72.0;
        QTest::newRow("0.01") << "0.01" << 1 << "1" << 72.0;
        QTest::newRow("abc") << "abc" << 0 << "0" << 72.0;
        QTest::newRow("0.005") << "0.005" << 0 << "0" << 72.0;
        QTest::newRow("1 typed is 1:00") << "1" << 60 << "1:00" << 72.0;
        QTest::newRow("ten hours") << "600" << 36000 << "10:00:00" << 48.0;
        QTest::newRow("full-width digits") << "１０" << 0 << "0" << 72.0;
        QTest::newRow("full-width colon is no colon") << "7：30" << 420 << "7:00" << 72.0;
        // Outside the 32-bit range the count saturates instead of wrapping.
        QTest::newRow("1e12 in digits") << "1000000000000" << INT_MAX << "596523:14:07" << 48.0;
        QTest::newRow("ten thousand digits") << QString(10000, u'9') << INT_MAX << "596523:14:07" << 48.0;
        QTest::newRow("-1e12 in digits") << "-1000000000000" << INT_MIN << "0" << 72.0;
        // A negative count shows 0 until its alarm on the first tick.
        QTest::newRow("negative") << "-3" << -180 << "0" << 72.0;
    }
    void typedMinutes()
    {
        QFETCH(QString, entry);
        QFETCH(int, limTime);
        QFETCH(QString, display);
        QFETCH(double, points);
        FrmMen *men = open();
        LogCapture shell("orvalen.shell");
        m_answer = entry;
        men->CmdTime_Click(5);
        QCOMPARE(lineEdit("TxtTime")->text(), entry);
        QCOMPARE(men->property("LimTime").toInt(), limTime);
        QCOMPARE(label("Label1")->text(), display);
        QCOMPARE(label("Label1")->font().pointSizeF(), points);
        QCOMPARE(shell.lines(), QStringList({"beep"}));
        QVERIFY(timer("Timer1")->isEnabled());
        QVERIFY(!timer("Timer3")->isEnabled());
        QVERIFY(!widget("Picture2")->isVisible());
    }

    void negativeCountAlarmsOnTheFirstTick()
    {
        CueRecorder cues;
        FrmMen *men = startWith(QStringLiteral("-3"));
        men->Timer1_Timer();
        QCOMPARE(label("Label1")->text(), QStringLiteral("(^｡^)"));
        QVERIFY(label("Label3")->isVisible());
        QCOMPARE(label("Label3")->text(), QStringLiteral("3:01"));
        QCOMPARE(cues.log().played, QStringList({"s05.wav"}));
    }

    void setRTimeSizes_data()
    {
        QTest::addColumn<int>("w");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("points");
        QTest::newRow("0") << 0 << "0" << 72.0;
        QTest::newRow("59") << 59 << "59" << 72.0;
        QTest::newRow("60") << 60 << "1:00" << 72.0;
        QTest::newRow("3599") << 3599 << "59:59" << 72.0;
        QTest::newRow("3600") << 3600 << "1:00:00" << 72.0;
        QTest::newRow("35999") << 35999 << "9:59:59" << 72.0;
        QTest::newRow("36000") << 36000 << "10:00:00" << 48.0;
        QTest::newRow("-1") << -1 << "0" << 72.0;
    }
    void setRTimeSizes()
    {
        QFETCH(int, w);
        QFETCH(QString, text);
        QFETCH(double, points);
        FrmMen *men = open();
        men->SetRTime(w, label("Label1"));
        QCOMPARE(label("Label1")->text(), text);
        QCOMPARE(label("Label1")->font().pointSizeF(), points);
        // Any other label keeps its font.
        men->SetRTime(w, label("Label3"));
        QCOMPARE(label("Label3")->text(), text);
        QCOMPARE(label("Label3")->font().pointSizeF(), 20.25);
    }

    void presetThreeTicks_data()
    {
        QTest::addColumn<int>("tick");
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("overtime"); // empty: hidden
        QTest::addColumn<bool>("cue");
        QTest::newRow("1") << 1 << "2:59" << "" << false;
        QTest::newRow("120") << 120 << "1:00" << "" << false;
        QTest::newRow("121") << 121 << "59" << "" << false;
        QTest::newRow("179") << 179 << "1" << "" << false;
        QTest::newRow("180 zero tick") << 180 << "(^｡^)" << "" << true;
        QTest::newRow("181") << 181 << "(^｡^)" << "1" << true;
        QTest::newRow("240") << 240 << "(^｡^)" << "1:00" << true;
        QTest::newRow("3780") << 3780 << "(^｡^)" << "1:00:00" << true;
    }
    void presetThreeTicks()
    {
        QFETCH(int, tick);
        QFETCH(QString, display);
        QFETCH(QString, overtime);
        QFETCH(bool, cue);
        CueRecorder cues;
        FrmMen *men = open();
        men->CmdTime_Click(2);
        stopClocks();
        for (int i = 1; i < tick; ++i)
            men->Timer1_Timer();
        cues.clear();
        men->Timer1_Timer();
        QCOMPARE(men->property("PassCnt").toInt(), tick);
        QCOMPARE(label("Label1")->text(), display);
        QCOMPARE(label("Label1")->font().pointSizeF(), 72.0);
        QCOMPARE(label("Label3")->isVisible(), !overtime.isEmpty());
        QCOMPARE(label("Label2")->isVisible(), !overtime.isEmpty());
        if (!overtime.isEmpty()) {
            QCOMPARE(label("Label3")->text(), overtime);
            QCOMPARE(label("Label3")->font().pointSizeF(), 20.25);
        }
        QCOMPARE(cues.log().played, cue ? QStringList{"s05.wav"} : QStringList());
        QCOMPARE(widget("Check1")->isVisible(), cue);
    }

    void theAlarmAsksForAttentionOnce()
    {
        orv::test::AttentionRecorder attention;
        FrmMen *men = startWith(QStringLiteral("0.05")); // 3 seconds
        men->Timer1_Timer();
        men->Timer1_Timer();
        QVERIFY(attention.windows().isEmpty());
        for (int i = 0; i < 5; ++i)
            men->Timer1_Timer();
        QCOMPARE(attention.windows(), QStringList({"FrmMen"}));
    }

    void zeroSecondCountdown()
    {
        CueRecorder cues;
        FrmMen *men = startWith(QStringLiteral("abc"));
        QCOMPARE(label("Label1")->text(), QStringLiteral("0"));
        men->Timer1_Timer();
        QCOMPARE(label("Label1")->text(), QStringLiteral("(^｡^)"));
        QVERIFY(label("Label3")->isVisible());
        QCOMPARE(label("Label3")->text(), QStringLiteral("1"));
        QCOMPARE(cues.log().played, QStringList({"s05.wav"}));
        QVERIFY(widget("Check1")->isVisible());
    }

    void muteDuringTheAlarm()
    {
        CueRecorder cues;
        FrmMen *men = startWith(QStringLiteral("0"));
        men->Timer1_Timer();
        auto *mute = qobject_cast<QCheckBox *>(widget("Check1"));
        QTest::mouseClick(mute, Qt::LeftButton, {}, QPoint(6, mute->height() / 2));
        QVERIFY(mute->isChecked());
        men->Timer1_Timer();
        men->Timer1_Timer();
        QCOMPARE(cues.log().played, QStringList({"s05.wav"}));
        QCOMPARE(label("Label1")->text(), QStringLiteral("(^｡^)"));
        QCOMPARE(label("Label3")->text(), QStringLiteral("3"));
        mute->setChecked(false);
        men->Timer1_Timer();
        QCOMPARE(cues.log().played, QStringList({"s05.wav", "s05.wav"}));
        QCOMPARE(label("Label3")->text(), QStringLiteral("4"));
    }

    void clockModeArms()
    {
        FrmMen *men = open();
        LogCapture shell("orvalen.shell");
        m_now = QTime(9, 5, 7);
        m_answer = QStringLiteral("7:30");
        men->CmdTime_Click(5);
        QCOMPARE(men->property("AlmTime").toString(), QStringLiteral("07:30"));
        QCOMPARE(label("Label4")->text(), QStringLiteral("現在時刻 9:05:07"));
        QVERIFY(label("Label4")->isVisible());
        QCOMPARE(label("Label1")->text(), QStringLiteral("7:30"));
        QCOMPARE(timer("Timer3")->interval(), 1000);
        QVERIFY(timer("Timer3")->isEnabled());
        QVERIFY(!timer("Timer1")->isEnabled());
        QVERIFY(!widget("Picture2")->isVisible());
        QCOMPARE(shell.lines(), QStringList({"beep"}));
    }

    void clockModeShowsTheEntryAsTyped()
    {
        FrmMen *men = open();
        m_answer = QStringLiteral(" 19:05:40 ");
        men->CmdTime_Click(5);
        QCOMPARE(men->property("AlmTime").toString(), QStringLiteral("19:05"));
        QCOMPARE(label("Label1")->text(), QStringLiteral(" 19:05:40 "));
        // Markup is shown as typed, never interpreted.
        m_answer = QStringLiteral("<b>1:30</b>");
        men->CmdTime_Click(5);
        QCOMPARE(label("Label1")->textFormat(), Qt::PlainText);
    }

    void clockModeReachesTheTarget()
    {
        CueRecorder cues;
        FrmMen *men = startWith(QStringLiteral("12:02"));
        for (int s = 1; s < 120; ++s) {
            m_now = QTime(12, 0, 0).addSecs(s);
            men->Timer3_Timer();
        }
        QVERIFY(!men->property("AlmOn").toBool());
        QVERIFY(cues.log().played.isEmpty());
        QCOMPARE(label("Label4")->text(), QStringLiteral("現在時刻 12:01:59"));
        m_now = QTime(12, 2, 0);
        men->Timer3_Timer();
        QVERIFY(men->property("AlmOn").toBool());
        QCOMPARE(label("Label1")->text(), QStringLiteral("(^｡^)"));
        QCOMPARE(label("Label3")->text(), QStringLiteral("1"));
        QVERIFY(label("Label3")->isVisible());
        QVERIFY(label("Label2")->isVisible());
        QCOMPARE(cues.log().played, QStringList({"s05.wav"}));
        // Once on, the alarm stays on after the minute has passed.
        m_now = QTime(12, 3, 5);
        men->Timer3_Timer();
        QCOMPARE(label("Label3")->text(), QStringLiteral("2"));
        QCOMPARE(label("Label4")->text(), QStringLiteral("現在時刻 12:03:05"));
    }

    void clockModeTargetAlreadyPassedWaitsForTomorrow()
    {
        FrmMen *men = startWith(QStringLiteral("11:59"));
        for (const QTime &t : {QTime(12, 0, 1), QTime(23, 59, 59), QTime(0, 0, 0), QTime(11, 58, 59)}) {
            m_now = t;
            men->Timer3_Timer();
            QVERIFY(!men->property("AlmOn").toBool());
        }
        m_now = QTime(11, 59, 0);
        men->Timer3_Timer();
        QVERIFY(men->property("AlmOn").toBool());
    }

    void clockModeCurrentMinuteRingsOnTheFirstTick()
    {
        m_now = QTime(12, 0, 30);
        FrmMen *men = startWith(QStringLiteral("12:00"));
        m_now = QTime(12, 0, 31);
        men->Timer3_Timer();
        QVERIFY(men->property("AlmOn").toBool());
        QCOMPARE(label("Label3")->text(), QStringLiteral("1"));
    }

    void clockModeInvalidTargetNeverRings()
    {
        CueRecorder cues;
        FrmMen *men = startWith(QStringLiteral("24:00"));
        QCOMPARE(label("Label1")->text(), QStringLiteral("24:00"));
        for (int m = 0; m < 24 * 60; m += 7) {
            m_now = QTime(0, 0).addSecs(m * 60);
            men->Timer3_Timer();
        }
        QVERIFY(!men->property("AlmOn").toBool());
        QVERIFY(cues.log().played.isEmpty());
        QCOMPARE(label("Label4")->text(), countdown::clockLine(m_now));
    }

    void timeOfDayReading_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("target"); // empty: not a time of day
        QTest::newRow("7:30") << "7:30" << "07:30";
        QTest::newRow("07:30") << "07:30" << "07:30";
        QTest::newRow("with seconds") << "19:05:40" << "19:05";
        QTest::newRow("blanks") << " 7 : 30 " << "07:30";
        QTest::newRow("midnight") << "0:00" << "00:00";
        QTest::newRow("last minute") << "23:59:59" << "23:59";
        QTest::newRow("1:30") << "1:30" << "01:30";
        QTest::newRow("hour 24") << "24:00" << "";
        QTest::newRow("minute 60") << "7:60" << "";
        QTest::newRow("second 60") << "7:30:60" << "";
        QTest::newRow("letters") << "ab:cd" << "";
        QTest::newRow("four fields") << "1:2:3:4" << "";
        QTest::newRow("colon alone") << ":" << "";
        QTest::newRow("three digits") << "007:30" << "";
        QTest::newRow("empty minutes") << "7:" << "";
        QTest::newRow("twelve-hour marker") << "7:30 PM" << "";
        QTest::newRow("date") << "2026-12-06 7:30" << "";
        QTest::newRow("full-width digits") << "７:３０" << "";
        QTest::newRow("sign") << "+7:30" << "";
    }
    void timeOfDayReading()
    {
        QFETCH(QString, entry);
        QFETCH(QString, target);
        QCOMPARE(countdown::readTimeOfDay(entry).value_or(QString()), target);
    }

    void enterPressesTheDefaultButtonUntilTheStart()
    {
        FrmMen *men = open();
        men->activateWindow();
        QTest::keyClick(men, Qt::Key_Return);
        QCOMPARE(men->property("LimTime").toInt(), 180);
        QVERIFY(timer("Timer1")->isEnabled());
        // The keypad is gone: Enter presses nothing now.
        stopClocks();
        QTest::keyClick(men, Qt::Key_Return);
        QTest::keyClick(men, Qt::Key_Enter);
        QVERIFY(m_calls.isEmpty());
        QCOMPARE(men->property("LimTime").toInt(), 180);
        QCOMPARE(label("Label1")->text(), QStringLiteral("3:00"));
    }

    void aNewEntryMakesInputTheDefault()
    {
        FrmMen *men = open();
        lineEdit("TxtTime")->setText(QStringLiteral("10")); // the same text: no change
        QVERIFY(button(2)->isDefault());
        lineEdit("TxtTime")->setText(QStringLiteral("12"));
        QVERIFY(button(5)->isDefault());
        QVERIFY(!button(2)->isDefault());
        m_answer = QString();
        QTest::keyClick(men, Qt::Key_Return);
        QCOMPARE(m_calls.size(), 1);
    }

    void closingAtAnyState_data()
    {
        QTest::addColumn<QString>("state");
        QTest::newRow("keypad") << "keypad";
        QTest::newRow("counting") << "counting";
        QTest::newRow("alarm") << "alarm";
        QTest::newRow("clock waiting") << "clock";
        QTest::newRow("clock alarm") << "clockalarm";
    }
    void closingAtAnyState()
    {
        QFETCH(QString, state);
        CueRecorder cues;
        FrmMain *menu = formRef<FrmMain>().get();
        menu->show();
        menu->CmdMen_Click();
        QPointer<FrmMen> men = formRef<FrmMen>().peek();
        if (state == "counting" || state == "alarm")
            men->CmdTime_Click(0);
        if (state == "alarm")
            for (int i = 0; i < 61; ++i)
                men->Timer1_Timer();
        if (state.startsWith("clock")) {
            m_answer = QStringLiteral("12:00");
            men->CmdTime_Click(5);
            if (state == "clockalarm")
                men->Timer3_Timer();
        }
        QVERIFY(men->close());
        QVERIFY(menu->isVisible());
        QVERIFY(!timer("Timer1", men)->isEnabled());
        QVERIFY(!timer("Timer3", men)->isEnabled());
        const int cuesAtClose = cues.log().played.size();
        QTest::qWait(20);
        QCOMPARE(cues.log().played.size(), cuesAtClose);

        menu->CmdMen_Click();
        QVERIFY(men.isNull());
        FrmMen *fresh = formRef<FrmMen>().peek();
        QCOMPARE(fresh->property("PassCnt").toInt(), 0);
        QCOMPARE(fresh->property("LimTime").toInt(), 0);
        QVERIFY(fresh->findChild<QWidget *>(QStringLiteral("Picture2"))->isVisible());
    }

    void passCountSaturates()
    {
        QCOMPARE(countdown::saturatingIncrement(0), 1);
        QCOMPARE(countdown::saturatingIncrement(INT_MAX - 1), INT_MAX);
        QCOMPARE(countdown::saturatingIncrement(INT_MAX), INT_MAX);
    }

private:
    FrmMen *open()
    {
        formRef<FrmMen>().renew()->show();
        return formRef<FrmMen>().peek();
    }
    FrmMen *startWith(const QString &entry)
    {
        FrmMen *men = open();
        m_answer = entry;
        men->CmdTime_Click(5);
        stopClocks();
        return men;
    }
    // The tests step the clocks by hand.
    void stopClocks()
    {
        timer("Timer1")->blockSignals(true);
        timer("Timer3")->blockSignals(true);
    }
    static QWidget *widget(const char *name)
    {
        return formRef<FrmMen>().peek()->findChild<QWidget *>(QLatin1String(name));
    }
    static QLabel *label(const char *name) { return qobject_cast<QLabel *>(widget(name)); }
    static QLineEdit *lineEdit(const char *name) { return qobject_cast<QLineEdit *>(widget(name)); }
    static QPushButton *button(int index)
    {
        return formRef<FrmMen>().peek()->findChild<QPushButton *>(indexedName("CmdTime", index));
    }
    static PeriodicTimer *timer(const char *name, QObject *window = nullptr)
    {
        QObject *w = window ? window : formRef<FrmMen>().peek();
        return w->findChild<PeriodicTimer *>(QLatin1String(name));
    }
    static QWidget *lastWidgetChild(QWidget *w)
    {
        QWidget *last = nullptr;
        for (QObject *child : w->children())
            if (child->isWidgetType())
                last = static_cast<QWidget *>(child);
        return last;
    }

    QString m_answer;
    QList<DialogCall> m_calls;
    QTime m_now;
};

QTEST_MAIN(TestCountdown)
#include "tst_countdown.moc"
