// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "common/timedrun.h"
#include "widgets/form.h"

class QFrame;
class QLabel;
class QLineEdit;

namespace orv {

class PeriodicTimer;

// A window that runs a timed paper: it opens behind a cover that counts
// down "③", "②", "①" on its countdown clock (Timer2), then starts its run
// clock (Timer1), whose tick length the user may type into a box (Text1).
// The multiple-choice and essay timers build on it and share its frame:
// two panels, the standard pace's question and its time left, and the
// run's time left. What a run tick does is theirs.
class TimedRunForm : public Form
{
    Q_OBJECT
    Q_PROPERTY(int CountdownStep READ countdownStep)

public:
    int countdownStep() const { return m_countdown.step(); }

public slots:
    void Timer2_Timer();
    void Text1_Change();

protected:
    TimedRunForm(const QString &name, const QString &caption);

    // The outer panel (Picture2), and the table in it (Picture3).
    QFrame *addOuterPanel();
    QFrame *addTable(QWidget *outer);
    // The tick-length box and its heading (the caption label "Label2(n)").
    void addTickLengthBox(QWidget *panel, int headingIndex, Qt::Alignment boxAlignment);
    // The standard pace's question and the time left in it, in the table;
    // the two timers' boxes for the time differ.
    void addStandardPace(QWidget *table, const QRect &timeLeftTwips);
    // The run's time left, in the outer panel.
    void addRunLeft(QWidget *panel);
    // The cover over the window's panels; made after them.
    void addCover();

    // Shows the figures built by addStandardPace and addRunLeft.
    void showRunFigures(const RunFigures &figures);

    // Opening: the cover in front, the window centred, then loaded(), then
    // the first cue.
    void formLoad() override;
    // Closing stops both clocks.
    void formQueryUnload() override;
    virtual void loaded() {}
    // The countdown is over: the cover is gone and the run clock runs.
    virtual void started() {}

    // The run is over: the run clock stops and the desktop is asked to draw
    // the user's eye.
    void endRun();

    PeriodicTimer *runClock() const { return m_timer1; }

private:
    StartCountdown m_countdown;
    PeriodicTimer *m_timer1;
    PeriodicTimer *m_timer2;
    QLineEdit *m_text1 = nullptr;
    QFrame *m_cover = nullptr;
    QLabel *m_digit = nullptr;
    QLabel *m_qNo = nullptr;
    QLabel *m_eachTime = nullptr;
    QLabel *m_totalTime = nullptr;
};

} // namespace orv
