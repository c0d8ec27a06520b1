#pragma once

#include "widgets/form.h"

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace orv {

class PeriodicTimer;

// The kitchen timer: a keypad of presets and an input button, then a
// countdown or a wait for a time of day, then a repeating alarm with an
// overtime count and a mute box.
class FrmMen : public Form
{
    Q_OBJECT
    Q_PROPERTY(int LimTime READ limTime)
    Q_PROPERTY(int PassCnt READ passCnt)
    Q_PROPERTY(QString AlmTime READ almTime)
    Q_PROPERTY(bool AlmOn READ almOn)

public:
    FrmMen();

    int limTime() const { return m_limTime; }
    int passCnt() const { return m_passCnt; }
    QString almTime() const { return m_almTime; }
    bool almOn() const { return m_almOn; }

    // Writes a count of seconds as time text into a label; the main display
    // also takes the size that suits the text.
    void SetRTime(long long w, QLabel *label);

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
    void startCountdown();
    void startClockMode(const QString &entry);
    void alarmStep();
    void showOvertime(long long seconds);

    int m_limTime = 0;
    int m_passCnt = 0;
    QString m_almTime;
    bool m_almOn = false;
    bool m_alarmRaised = false; // the desktop was asked for attention once

    QFrame *m_picture1;
    QFrame *m_picture2;
    QLabel *m_label1;
    QLabel *m_label2;
    QLabel *m_label3;
    QLabel *m_label4;
    QCheckBox *m_check1;
    QLineEdit *m_txtTime;
    QPushButton *m_cmdTime[6];
    PeriodicTimer *m_timer1;
    PeriodicTimer *m_timer3;
};

} // namespace orv
