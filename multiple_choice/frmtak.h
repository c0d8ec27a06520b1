// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "multiple_choice/paper.h"
#include "widgets/timedrunform.h"

#include <QPointer>

#include <array>

class QLabel;

namespace orv {

class FrmBtn;
class FrmDur;

// The multiple-choice paper's pacing window: 60 questions in 3 h 30 min.
// It owns the floating Done button (FrmBtn), whose presses it hears, and
// the per-question window (FrmDur), which it drives through the latter's
// elapsed counter. Its rules are the Paper's; it shows what they say.
class FrmTak : public TimedRunForm
{
    Q_OBJECT
    Q_PROPERTY(int LpDivTime READ lpDivTime)
    Q_PROPERTY(int SlotCnt READ slotCnt)
    Q_PROPERTY(int TotalCnt READ totalCnt)
    Q_PROPERTY(int StdQNo READ stdQNo)
    Q_PROPERTY(int DoneCnt READ doneCnt)
    Q_PROPERTY(QString DivTimeText READ divTimeText)

public:
    FrmTak();

    int lpDivTime() const { return m_paper.lpDivTime(); }
    int slotCnt() const { return m_paper.slotCnt(); }
    int totalCnt() const { return m_paper.totalCnt(); }
    int stdQNo() const { return m_paper.stdQNo(); }
    int doneCnt() const { return m_paper.doneCnt(); }
    QString divTimeText() const { return m_paper.divTimeText(); }

public slots:
    void Timer1_Timer();
    void CmdNext_Click();

protected:
    void loaded() override;
    void started() override;
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
    void showPace(const Paper::Pace &pace);

    Paper m_paper;
    QPointer<FrmBtn> m_button;
    QPointer<FrmDur> m_duration;

    QLabel *m_qNo2;
    QLabel *m_eachTime2;
    QLabel *m_savedTime;
    std::array<QLabel *, pace::kQuestions> m_cells{};
    std::array<QLabel *, pace::kQuestions> m_markers{};
};

} // namespace orv
