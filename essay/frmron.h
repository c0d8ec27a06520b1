#pragma once

#include "essay/schedule.h"
#include "widgets/form.h"


class QFrame;
class QLineEdit;

namespace orv {

class PeriodicTimer;

// The essay paper's timer: a three-second countdown, then two questions of
// one hour, each in three phases shown as shrinking bars.
class FrmRon : public Form
{
    Q_OBJECT
    Q_PROPERTY(int ElapsedSec READ elapsedSec)
    Q_PROPERTY(int CountdownStep READ countdownStep)

public:
    FrmRon();

    int elapsedSec() const { return m_elapsedSec; }
    int countdownStep() const { return m_countdownStep; }

public slots:
    void Timer1_Timer();
    void Timer2_Timer();
    void Text1_Change();

protected:
    void formLoad() override;
    void formQueryUnload() override;

private:
    void buildRow(QWidget *table, int i);
    void apply(const essay::Effects &effects);

    int m_elapsedSec = 0;
    int m_countdownStep = 0;
    QFrame *m_picture1;
    QLineEdit *m_text1;
    PeriodicTimer *m_timer1;
    PeriodicTimer *m_timer2;
};

} // namespace orv
