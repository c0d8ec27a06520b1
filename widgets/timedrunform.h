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
// The multiple-choice and essay timers build on it; what a run tick does
// is theirs.
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

    // The tick-length box and its heading (the caption label "Label2(n)").
    void addTickLengthBox(QWidget *panel, int headingIndex, Qt::Alignment boxAlignment);
    // The cover over the window's panels; made after them.
    void addCover();

    // Opening: the cover in front, the window centred, then loaded(), then
    // the first cue.
    void formLoad() override;
    // Closing stops both clocks.
    void formQueryUnload() override;
    virtual void loaded() {}
    // The countdown is over: the cover is gone and the run clock runs.
    virtual void started() {}

    // The run is over: the run clock stops, the figures show dashes, the
    // end's cue sounds and the desktop is asked to draw the user's eye.
    void endRun(QLabel *questionNo, QLabel *questionLeft, QLabel *runLeft);

    PeriodicTimer *runClock() const { return m_timer1; }

private:
    StartCountdown m_countdown;
    PeriodicTimer *m_timer1;
    PeriodicTimer *m_timer2;
    QLineEdit *m_text1 = nullptr;
    QFrame *m_cover = nullptr;
    QLabel *m_digit = nullptr;
};

} // namespace orv
