// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "essay/essayrun.h"
#include "widgets/timedrunform.h"

#include <array>

class QLabel;

namespace orv {

// The essay paper's timer: a three-second countdown, then two questions of
// one hour, each in three phases shown as shrinking bars. Its rules are the
// EssayRun's; it shows what they say.
class FrmRon : public TimedRunForm
{
    Q_OBJECT
    Q_PROPERTY(int ElapsedSec READ elapsedSec)

public:
    FrmRon();

    int elapsedSec() const { return m_run.elapsedSec(); }

public slots:
    void Timer1_Timer();

private:
    void buildRow(QWidget *table, int question, const EssayRun::Initial &initial);

    EssayRun m_run;
    // One bar and one time text for each phase, in the order they run.
    std::array<QLabel *, essay::kPhases> m_bars{};
    std::array<QLabel *, essay::kPhases> m_phaseTexts{};
};

} // namespace orv
