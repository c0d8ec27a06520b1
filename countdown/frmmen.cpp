#include "countdown/frmmen.h"

#include "common/clock.h"
#include "common/fonts.h"
#include "common/numbers.h"
#include "common/periodictimer.h"
#include "countdown/countdownlogic.h"
#include "cues/cue.h"
#include "widgets/controls.h"
#include "widgets/platform.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace orv {

namespace {
const QColor kAlarmRed(255, 0, 0);
const QColor kClockBlue(128, 128, 255);

struct PadKey
{
    const char *caption;
    int left;
    int top;
    double points;
};
constexpr PadKey kKeys[6] = {
    {"１", 450, 630, 20.25}, {"２", 1710, 630, 20.25}, {"３", 2970, 630, 20.25},
    {"４", 450, 1620, 20.25}, {"５", 1710, 1620, 20.25}, {"入力", 2970, 1620, 12},
};
} // namespace

FrmMen::FrmMen()
    : Form(QStringLiteral("FrmMen"), QStringLiteral("ラーメンタイマー"), fixedDialogFlags())
{
    setClientSizeTwips(4680, 3195);

    // The keypad is made first and the display panel over it; opening brings
    // the keypad to the front.
    m_picture2 = addPanel(this, QStringLiteral("Picture2"), QRect(90, 120, 4485, 2985), QColor(192, 192, 192));
    for (int i = 0; i < 6; ++i) {
        const PadKey &key = kKeys[i];
        m_cmdTime[i] = addButton(m_picture2, indexedName("CmdTime", i), QRect(key.left, key.top, 975, 735),
                                 QString::fromUtf8(key.caption));
        m_cmdTime[i]->setFont(designedFont(kPGothic, key.points, true));
        connect(m_cmdTime[i], &QPushButton::clicked, this, [this, i] { CmdTime_Click(i); });
        if (i > 0)
            setTabOrder(m_cmdTime[i - 1], m_cmdTime[i]);
    }
    m_txtTime = new QLineEdit(QStringLiteral("10"), m_picture2);
    m_txtTime->setObjectName(QStringLiteral("TxtTime"));
    m_txtTime->setFont(designedFont(kPGothic, 9, false));
    m_txtTime->setFocusPolicy(Qt::NoFocus);
    placeTwips(m_txtTime, QRect(120, 120, 495, 270));
    m_txtTime->hide();
    connect(m_txtTime, &QLineEdit::textChanged, this, &FrmMen::TxtTime_Change);

    m_picture1 = addPanel(this, QStringLiteral("Picture1"), QRect(90, 120, 4485, 2985), Qt::white);
    // The main display spans the panel so that every text it shows is centred.
    m_label1 = addLabel(m_picture1, QStringLiteral("Label1"), QRect(0, 780, 4485, 1440), QStringLiteral("③"));
    m_label1->setFont(designedFont(kPGothic, 72, false));
    m_label1->setAlignment(Qt::AlignCenter);

    m_label4 = addLabel(m_picture1, QStringLiteral("Label4"), QRect(240, 210, 3135, 285));
    m_label4->setFont(designedFont(kPGothic, 12, true));
    setTextColor(m_label4, kClockBlue);
    m_label4->hide();

    m_label3 = addLabel(m_picture1, QStringLiteral("Label3"), QRect(2775, 2400, 855, 405), QStringLiteral("0:00"));
    m_label3->setFont(designedFont(kPGothic, 20.25, true));
    m_label3->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setTextColor(m_label3, kAlarmRed);
    m_label3->hide();

    m_label2 = addLabel(m_picture1, QStringLiteral("Label2"), QRect(3630, 2490, 855, 285), QStringLiteral("(over)"));
    m_label2->setFont(designedFont(kPGothic, 14.25, false));
    setTextColor(m_label2, kAlarmRed);
    m_label2->hide();

    m_check1 = new QCheckBox(QStringLiteral("ミュート"), m_picture1);
    m_check1->setObjectName(QStringLiteral("Check1"));
    setBackgroundColor(m_check1, Qt::white);
    placeTwips(m_check1, QRect(300, 2550, 1095, 255));
    m_check1->hide();

    m_timer1 = new PeriodicTimer(QStringLiteral("Timer1"), this);
    m_timer3 = new PeriodicTimer(QStringLiteral("Timer3"), this);
    connect(m_timer1, &PeriodicTimer::timeout, this, &FrmMen::Timer1_Timer);
    connect(m_timer3, &PeriodicTimer::timeout, this, &FrmMen::Timer3_Timer);

    nameControls({{"Label1", "残り時間"},
                  {"Label4", "現在時刻"},
                  {"Label3", "超過時間"},
                  {"Label2", "超過"},
                  {"CmdTime(0)", "１分"},
                  {"CmdTime(1)", "２分"},
                  {"CmdTime(2)", "３分"},
                  {"CmdTime(3)", "４分"},
                  {"CmdTime(4)", "５分"},
                  {"CmdTime(5)", "時間または時刻を入力"}});
    setDefaultButton(m_cmdTime[2]);
}

QString FrmMen::inputPrompt()
{
    return QStringLiteral("数値を入力してください。（分単位：小数可）\r\nまたは時刻を入力してください（hh:mm形式）");
}

void FrmMen::formLoad()
{
    m_picture2->raise();
    centreOnScreen();
}

void FrmMen::formQueryUnload()
{
    m_timer1->setEnabled(false);
    m_timer3->setEnabled(false);
}

void FrmMen::TxtTime_Change()
{
    setDefaultButton(m_cmdTime[5]);
}

void FrmMen::CmdTime_Click(int index)
{
    if (index < 0 || index > 5)
        return;
    m_almOn = false;
    m_label4->hide();

    if (index < 5) {
        const countdown::Preset &p = countdown::preset(index);
        m_limTime = p.seconds;
        setCaption(m_label1, QString::fromLatin1(p.display));
        startCountdown();
        return;
    }

    const QString entry = inputBox(this, inputPrompt());
    if (entry.isEmpty())
        return;
    m_txtTime->setText(entry);
    if (entry.contains(u':')) {
        startClockMode(entry);
        return;
    }
    m_limTime = countdown::secondsFromMinutes(leadingNumber(m_txtTime->text()));
    SetRTime(m_limTime, m_label1);
    startCountdown();
}

void FrmMen::startCountdown()
{
    systemBeep();
    m_picture2->hide();
    m_timer1->setInterval(1000);
    m_timer1->setEnabled(true);
}

void FrmMen::startClockMode(const QString &entry)
{
    m_almTime = countdown::readTimeOfDay(entry).value_or(countdown::kNeverMatches.toString());
    setCaption(m_label4, countdown::clockLine(timeOfDay()));
    m_label4->show();
    m_timer3->setInterval(1000);
    m_timer3->setEnabled(true);
    setCaption(m_label1, entry);
    m_picture2->hide();
    systemBeep();
}

void FrmMen::SetRTime(long long w, QLabel *label)
{
    const QString text = countdown::displayText(w);
    if (label == m_label1) {
        QFont font = label->font();
        font.setPointSizeF(countdown::mainDisplayPoints(text));
        label->setFont(font);
    }
    setCaption(label, text);
}

void FrmMen::alarmStep()
{
    if (!m_alarmRaised) {
        m_alarmRaised = true;
        requestAttention(this);
    }
    setCaption(m_label1, QStringLiteral("(^｡^)"));
    if (!m_check1->isChecked())
        PlayCue(QStringLiteral("s05.wav"));
    m_check1->show();
}

void FrmMen::showOvertime(long long seconds)
{
    m_label3->show();
    m_label2->show();
    SetRTime(seconds, m_label3);
}

void FrmMen::Timer1_Timer()
{
    m_passCnt = countdown::saturatingIncrement(m_passCnt);
    if (m_passCnt >= m_limTime)
        alarmStep();
    if (0 <= m_passCnt && m_passCnt < m_limTime)
        SetRTime(static_cast<long long>(m_limTime) - m_passCnt, m_label1);
    else if (m_passCnt > m_limTime)
        showOvertime(static_cast<long long>(m_passCnt) - m_limTime);
}

void FrmMen::Timer3_Timer()
{
    if (countdown::clockMinute(timeOfDay()) == m_almTime)
        m_almOn = true;
    setCaption(m_label4, countdown::clockLine(timeOfDay()));
    if (m_almOn) {
        alarmStep();
        m_label3->show();
        m_label2->show();
        m_passCnt = countdown::saturatingIncrement(m_passCnt);
        SetRTime(m_passCnt, m_label3);
    }
}

} // namespace orv
