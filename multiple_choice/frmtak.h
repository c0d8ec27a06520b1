#pragma once

#include "shell/form.h"

class QFrame;
class QLabel;
class QLineEdit;

namespace orv {

class PeriodicTimer;

// The multiple-choice paper's pacing window: 60 questions in 3 h 30 min.
// It owns the floating Done button (FrmBtn) and the per-question window
// (FrmDur), which it drives through the latter's elapsed counter.
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

    void NextOpr();
    // Puts FrmBtn 50 twips to the right of this window, bottom edges level.
    void placeButtonWindow();
    void GetRestTime(int ecnt, int tcnt, QString &eTime, QString &tTime) const;
    void GetSavedTime();

public slots:
    void Timer1_Timer();
    void Timer2_Timer();
    void CmdNext_Click();
    void Text1_Change();

protected:
    void formLoad() override;
    void formFramed() override;
    void formQueryUnload() override;

private:
    void buildGrid(QWidget *table);
    void writeCounter(const QString &text);
    void blacken(int index);
    QLabel *label(const char *name) const;

    int m_lpDivTime = 0;
    int m_slotCnt = 0;
    int m_totalCnt = 0;
    int m_stdQNo = 0;
    int m_doneCnt = 0;
    int m_countdownStep = 0;
    QString m_divTimeText;

    QFrame *m_picture1;
    QLineEdit *m_text1;
    QLabel *m_cells[60];
    QLabel *m_markers[60];
    PeriodicTimer *m_timer1;
    PeriodicTimer *m_timer2;
};

} // namespace orv
