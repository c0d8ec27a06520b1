// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "countdown/frmmen.h"

#include "common/clock.h"
#include "common/fonts.h"
#include "common/periodictimer.h"
#include "cues/cue.h"
#include "widgets/colours.h"
#include "widgets/controls.h"
#include "widgets/platform.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace orv {

namespace {
struct PadKey
{
    const char *caption;
    const char *spoken; // what a screen reader says it does
    int left;
    int top;
    double points;
};
constexpr PadKey kKeys[6] = {
    {"１", "１分", 450, 630, 20.25},  {"２", "２分", 1710, 630, 20.25}, {"３", "３分", 2970, 630, 20.25},
    {"４", "４分", 450, 1620, 20.25}, {"５", "５分", 1710, 1620, 20.25},
    {"入力", "時間または時刻を入力", 2970, 1620, 12},
};
} // namespace

FrmMen::FrmMen()
    : Form(QStringLiteral("FrmMen"), QStringLiteral("ラーメンタイマー"), fixedDialogFlags())
{
    setClientSizeTwips(4680, 3195);
    const Kitchen::Initial initial = Kitchen::initial();

    // The keypad is made first and the display panel over it; opening brings
    // the keypad to the front. Its keys are made in index order, which is
    // their focus order.
    m_picture2 = addPanel(this, QStringLiteral("Picture2"), QRect(90, 120, 4485, 2985), colour::silver);
    for (int i = 0; i < 6; ++i) {
        const PadKey &key = kKeys[i];
        m_cmdTime[i] = addButton(m_picture2, indexedName("CmdTime", i), QRect(key.left, key.top, 975, 735),
                                 QString::fromUtf8(key.caption));
        m_cmdTime[i]->setFont(designedFont(kPGothic, key.points, true));
        m_cmdTime[i]->setAccessibleName(QString::fromUtf8(key.spoken));
        connect(m_cmdTime[i], &QPushButton::clicked, this, [this, i] { CmdTime_Click(i); });
    }
    m_txtTime = new QLineEdit(initial.entry, m_picture2);
    m_txtTime->setObjectName(QStringLiteral("TxtTime"));
    m_txtTime->setFont(designedFont(kPGothic, 9, false));
    m_txtTime->setFocusPolicy(Qt::NoFocus);
    placeTwips(m_txtTime, QRect(120, 120, 495, 270));
    m_txtTime->hide();
    connect(m_txtTime, &QLineEdit::textChanged, this, &FrmMen::TxtTime_Change);

    QFrame *picture1 = addPanel(this, QStringLiteral("Picture1"), QRect(90, 120, 4485, 2985), colour::white);
    // The main display spans the panel so that every text it shows is centred.
    m_label1 = addLabel(picture1, QStringLiteral("Label1"), QRect(0, 780, 4485, 1440), initial.display.text);
    m_label1->setFont(designedFont(kPGothic, *initial.display.points, false));
    m_label1->setAlignment(Qt::AlignCenter);
    m_label1->setAccessibleName(QStringLiteral("残り時間"));

    m_label4 = addLabel(picture1, QStringLiteral("Label4"), QRect(240, 210, 3135, 285));
    m_label4->setFont(designedFont(kPGothic, 12, true));
    setTextColor(m_label4, colour::lavender);
    m_label4->setAccessibleName(QStringLiteral("現在時刻"));
    m_label4->hide();

    m_label3 = addFigure(picture1, QStringLiteral("Label3"), QRect(2775, 2400, 855, 405), initial.overtime,
                         kPGothic, 20.25, colour::red);
    m_label3->setAccessibleName(QStringLiteral("超過時間"));
    m_label3->hide();

    m_label2 = addLabel(picture1, QStringLiteral("Label2"), QRect(3630, 2490, 855, 285), QStringLiteral("(over)"));
    m_label2->setFont(designedFont(kPGothic, 14.25, false));
    setTextColor(m_label2, colour::red);
    m_label2->setAccessibleName(QStringLiteral("超過"));
    m_label2->hide();

    m_check1 = new QCheckBox(QStringLiteral("ミュート"), picture1);
    m_check1->setObjectName(QStringLiteral("Check1"));
    setBackgroundColor(m_check1, colour::white);
    placeTwips(m_check1, QRect(300, 2550, 1095, 255));
    m_check1->hide();

    m_timer1 = new PeriodicTimer(QStringLiteral("Timer1"), this);
    m_timer3 = new PeriodicTimer(QStringLiteral("Timer3"), this);
    connect(m_timer1, &PeriodicTimer::timeout, this, &FrmMen::Timer1_Timer);
    connect(m_timer3, &PeriodicTimer::timeout, this, &FrmMen::Timer3_Timer);

    setDefaultButton(m_cmdTime[size_t(initial.defaultKey)]);
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
    setDefaultButton(m_cmdTime[countdown::kInputKey]);
}

void FrmMen::CmdTime_Click(int index)
{
    std::optional<Kitchen::Start> start = m_kitchen.press(index);
    if (!start)
        return;
    m_label4->hide();
    if (start->asks) {
        const QString entry = inputBox(this, inputPrompt());
        // Read after the dialog: the user may take a while to type.
        start = m_kitchen.enter(entry, timeOfDay());
        if (!start)
            return;
        m_txtTime->setText(entry);
    }
    begin(*start);
}

void FrmMen::begin(const Kitchen::Start &start)
{
    showDisplay(start.display);
    if (start.clockLine) {
        setCaption(m_label4, *start.clockLine);
        m_label4->show();
        m_timer3->setInterval(1000);
        m_timer3->setEnabled(true);
        m_picture2->hide();
        systemBeep();
        return;
    }
    systemBeep();
    m_picture2->hide();
    m_timer1->setInterval(1000);
    m_timer1->setEnabled(true);
}

void FrmMen::showDisplay(const Kitchen::Display &display)
{
    if (display.points) {
        QFont font = m_label1->font();
        font.setPointSizeF(*display.points);
        m_label1->setFont(font);
    }
    setCaption(m_label1, display.text);
}

void FrmMen::showTick(const Kitchen::Tick &tick)
{
    if (tick.clockLine)
        setCaption(m_label4, *tick.clockLine);
    if (tick.alarmBegins)
        requestAttention(this);
    if (tick.display)
        showDisplay(*tick.display);
    if (tick.cue)
        PlayCue(*tick.cue);
    if (tick.alarmBegins)
        m_check1->show();
    if (tick.overtime) {
        m_label3->show();
        m_label2->show();
        setCaption(m_label3, *tick.overtime);
    }
}

void FrmMen::Timer1_Timer()
{
    if (const std::optional<Kitchen::Tick> tick = m_kitchen.tick(m_check1->isChecked()))
        showTick(*tick);
}

void FrmMen::Timer3_Timer()
{
    if (const std::optional<Kitchen::Tick> tick = m_kitchen.clockTick(timeOfDay(), m_check1->isChecked()))
        showTick(*tick);
}

} // namespace orv
