// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "countdown/kitchen.h"
#include "widgets/form.h"

#include <array>

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace orv {

class PeriodicTimer;

// The kitchen timer: a keypad of presets and an input button, then a
// countdown or a wait for a time of day, then a repeating alarm with an
// overtime count and a mute box. Its rules are the Kitchen's; it shows what
// they say.
class FrmMen : public Form
{
    Q_OBJECT
    Q_PROPERTY(int LimTime READ limTime)
    Q_PROPERTY(int PassCnt READ passCnt)
    Q_PROPERTY(QString AlmTime READ almTime)
    Q_PROPERTY(bool AlmOn READ almOn)

public:
    FrmMen();

    int limTime() const { return m_kitchen.limTime(); }
    int passCnt() const { return m_kitchen.passCnt(); }
    QString almTime() const { return m_kitchen.almTime(); }
    bool almOn() const { return m_kitchen.almOn(); }

    // The prompt of the input dialog.
    static QString inputPrompt();

public slots:
    void CmdTime_Click(int index);
    void TxtTime_Change();
    void Timer1_Timer();
    void Timer3_Timer();

protected:
    void formLoad() override;
    void formQueryUnload() override;

private:
    void begin(const Kitchen::Start &start);
    void showDisplay(const Kitchen::Display &display);
    void showTick(const Kitchen::Tick &tick);

    Kitchen m_kitchen;

    QFrame *m_picture2;
    QLabel *m_label1;
    QLabel *m_label2;
    QLabel *m_label3;
    QLabel *m_label4;
    QCheckBox *m_check1;
    QLineEdit *m_txtTime;
    std::array<QPushButton *, 6> m_cmdTime{};
    PeriodicTimer *m_timer1;
    PeriodicTimer *m_timer3;
};

} // namespace orv
