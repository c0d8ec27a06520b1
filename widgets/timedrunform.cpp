// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/timedrunform.h"

#include "common/fonts.h"
#include "common/periodictimer.h"
#include "cues/cue.h"
#include "widgets/colours.h"
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

QFrame *TimedRunForm::addOuterPanel()
{
    return addPanel(this, QStringLiteral("Picture2"), QRect(90, 120, 4485, 2985), colour::silver);
}

QFrame *TimedRunForm::addTable(QWidget *outer)
{
    return addPanel(outer, QStringLiteral("Picture3"), QRect(210, 330, 4035, 2055), colour::silver);
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

void TimedRunForm::addStandardPace(QWidget *table, const QRect &timeLeftTwips)
{
    addLabel(table, QStringLiteral("Label2(4)"), QRect(210, 1380, 720, 180), QStringLiteral("標準進度"));
    m_qNo = addFigure(table, QStringLiteral("LabelQNo"), QRect(1275, 1590, 180, 315), {}, kGothic, 15.75);
    m_qNo->setAccessibleName(QStringLiteral("標準進度（問目）"));
    addLabel(table, QStringLiteral("Label2(6)"), QRect(1500, 1680, 360, 180), QStringLiteral("問目"));
    addLabel(table, QStringLiteral("Label2(3)"), QRect(1920, 1380, 1440, 180), QStringLiteral("標準処理時間（残）"));
    m_eachTime = addFigure(table, QStringLiteral("LabelEachTime"), timeLeftTwips, {}, kGothic, 15.75);
    m_eachTime->setAccessibleName(QStringLiteral("標準処理時間（残）"));
}

void TimedRunForm::addRunLeft(QWidget *panel)
{
    addLabel(panel, QStringLiteral("Label2(2)"), QRect(2430, 2550, 675, 180), QStringLiteral("残り時間"));
    m_totalTime = addFigure(panel, QStringLiteral("LabelTotalTime"), QRect(3210, 2520, 945, 240), {}, kGothic, 12);
    m_totalTime->setAccessibleName(QStringLiteral("残り時間"));
}

void TimedRunForm::addCover()
{
    m_cover = addPanel(this, QStringLiteral("Picture1"), QRect(90, 120, 4485, 2985));
    m_digit = addLabel(m_cover, QStringLiteral("Label1"), QRect(1440, 780, 1455, 1440), StartCountdown::opening().digit);
    m_digit->setAlignment(Qt::AlignCenter);
    m_digit->setFont(designedFont(kPGothic, 72, false));
    m_digit->setAccessibleName(QStringLiteral("開始までのカウントダウン"));
}

void TimedRunForm::showRunFigures(const RunFigures &figures)
{
    if (figures.questionNo)
        setCaption(m_qNo, *figures.questionNo);
    setCaption(m_eachTime, figures.questionLeft);
    setCaption(m_totalTime, figures.runLeft);
}

void TimedRunForm::formLoad()
{
    m_timer2->setEnabled(true);
    m_cover->raise();
    centreOnScreen();
    loaded();
    PlayCue(StartCountdown::opening().cue);
}

void TimedRunForm::formQueryUnload()
{
    m_timer1->setEnabled(false);
    // A countdown still running would sound its cues after the window closed.
    m_timer2->setEnabled(false);
}

void TimedRunForm::Timer2_Timer()
{
    const StartCountdown::Step step = m_countdown.tick();
    setCaption(m_digit, step.digit);
    if (step.starts)
        m_timer2->setEnabled(false);
    PlayCue(step.cue);
    if (!step.starts)
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

void TimedRunForm::endRun()
{
    m_timer1->setEnabled(false);
    requestAttention(this);
}

} // namespace orv
