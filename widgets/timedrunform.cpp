#include "widgets/timedrunform.h"

#include "common/fonts.h"
#include "common/periodictimer.h"
#include "cues/cue.h"
#include "widgets/controls.h"
#include "widgets/platform.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>

namespace orv {

TimedRunForm::TimedRunForm(const QString &name, const QString &caption)
    : Form(name, caption, fixedDialogFlags())
{
    m_timer2 = new PeriodicTimer(QStringLiteral("Timer2"), this);
    m_timer2->setInterval(1000);
    m_timer1 = new PeriodicTimer(QStringLiteral("Timer1"), this);
    connect(m_timer2, &PeriodicTimer::timeout, this, &TimedRunForm::Timer2_Timer);
}

void TimedRunForm::addTickLengthBox(QWidget *panel, int headingIndex, Qt::Alignment boxAlignment)
{
    const QString heading = QStringLiteral("タイマー間隔(ミリ秒)");
    addLabel(panel, indexedName("Label2", headingIndex), QRect(2190, 90, 1545, 180), heading)
        ->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_text1 = new QLineEdit(QString::number(kStandardTickMs), panel);
    m_text1->setObjectName(QStringLiteral("Text1"));
    m_text1->setAlignment(boxAlignment);
    m_text1->setAccessibleName(heading);
    placeTwips(m_text1, QRect(3750, 30, 465, 255));
    connect(m_text1, &QLineEdit::textChanged, this, &TimedRunForm::Text1_Change);
}

void TimedRunForm::addCover()
{
    m_cover = addPanel(this, QStringLiteral("Picture1"), QRect(90, 120, 4485, 2985));
    m_digit = addLabel(m_cover, QStringLiteral("Label1"), QRect(1440, 780, 1455, 1440),
                       StartCountdown::kFirstDigit.toString());
    m_digit->setAlignment(Qt::AlignCenter);
    m_digit->setFont(designedFont(kPGothic, 72, false));
    m_digit->setAccessibleName(QStringLiteral("開始までのカウントダウン"));
}

void TimedRunForm::formLoad()
{
    m_timer2->setEnabled(true);
    m_cover->raise();
    centreOnScreen();
    loaded();
    PlayCue(StartCountdown::kLoadCue.toString());
}

void TimedRunForm::formQueryUnload()
{
    m_timer1->setEnabled(false);
    // A countdown still running would sound its cues after the window closed.
    m_timer2->setEnabled(false);
}

void TimedRunForm::Timer2_Timer()
{
    const StartCountdown::Tick tick = m_countdown.tick();
    setCaption(m_digit, tick.digit);
    if (tick.starts)
        m_timer2->setEnabled(false);
    PlayCue(tick.cue);
    if (!tick.starts)
        return;
    m_timer1->setInterval(kStandardTickMs);
    m_timer1->setEnabled(true);
    m_cover->hide();
    started();
}

void TimedRunForm::Text1_Change()
{
    m_timer1->setInterval(tickLength(m_text1->text()));
}

void TimedRunForm::endRun(QLabel *questionNo, QLabel *questionLeft, QLabel *runLeft)
{
    m_timer1->setEnabled(false);
    setCaption(questionNo, RunEnd::questionNo.toString());
    setCaption(questionLeft, RunEnd::questionLeft.toString());
    setCaption(runLeft, RunEnd::runLeft.toString());
    PlayCue(RunEnd::cue.toString());
    requestAttention(this);
}

} // namespace orv
