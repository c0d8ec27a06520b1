#pragma once

#include "widgets/form.h"

#include <QPointer>

class QFrame;
class QLabel;
class QLineEdit;

namespace orv {

class FrmBtn;
class FrmDur;
class PeriodicTimer;

// The multiple-choice paper's pacing window: 60 questions in 3 h 30 min.
// It owns the floating Done button (FrmBtn), whose presses it hears, and
// the per-question window (FrmDur), which it drives through the latter's
// elapsed counter.
class FrmTak : public Form
{
    Q_OBJECT
    Q_PROPERTY(int LpDivTime READ lpDivTime)
    Q_PROPERTY(int SlotCnt READ slotCnt)
    Q_PROPERTY(int TotalCnt READ totalCnt)
    Q_PROPERTY(int StdQNo READ stdQNo)
    Q_PROPERTY(int DoneCnt READ doneCnt)
    Q_PROPERTY(int CountdownStep READ countdownStep)
    Q_PROPERTY(QString DivTimeText READ divTimeText)

public:
    FrmTak();

    int lpDivTime() const { return m_lpDivTime; }
    int slotCnt() const { return m_slotCnt; }
    int totalCnt() const { return m_totalCnt; }
    int stdQNo() const { return m_stdQNo; }
    int doneCnt() const { return m_doneCnt; }
    int countdownStep() const { return m_countdownStep; }
    QString divTimeText() const { return m_divTimeText; }

public slots:
    void Timer1_Timer();
    void Timer2_Timer();
    void CmdNext_Click();
    void Text1_Change();

protected:
    void formLoad() override;
    void formQueryUnload() override;

private:
    void buildGrid(QWidget *table);
    // The companions' current instances, made if need be and wired to this
    // window the first time it meets them.
    FrmBtn *buttonWindow();
    FrmDur *durationWindow();
    // FrmBtn 50 twips to the right, bottom edges level; FrmDur 50 twips
    // below, left edges level.
    void placeButtonWindow();
    void placeDurationWindow();
    void GetSavedTime();
    void writeCounter(const QString &text);
    void blacken(int index);

    int m_lpDivTime = 0;
    int m_slotCnt = 0;
    int m_totalCnt = 0;
    int m_stdQNo = 0;
    int m_doneCnt = 0;
    int m_countdownStep = 0;
    QString m_divTimeText;

    QPointer<FrmBtn> m_button;
    QPointer<FrmDur> m_duration;

    QFrame *m_picture1;
    QLabel *m_label1;
    QLabel *m_qNo2;
    QLabel *m_eachTime2;
    QLabel *m_qNo;
    QLabel *m_eachTime;
    QLabel *m_savedTime;
    QLabel *m_totalTime;
    QLineEdit *m_text1;
    QLabel *m_cells[60];
    QLabel *m_markers[60];
    PeriodicTimer *m_timer1;
    PeriodicTimer *m_timer2;
};

} // namespace orv
