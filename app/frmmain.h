// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "widgets/form.h"

class QPushButton;

namespace orv {

// The main menu: opens the three timers and starts the companion program.
class FrmMain : public Form
{
    Q_OBJECT

public:
    FrmMain();

public slots:
    void CmdTak_Click();
    void CmdRon_Click();
    void CmdMen_Click();
    void CmdDaily_Click();

protected:
    void formLoad() override;

private:
    void placeDailyRow(bool dailyVisible);
    // Unloads and discards the timer's current instance and shows a fresh
    // one, modeless and ownerless; the menu stands aside until it closes.
    template <class T>
    void openTimer();

    QPushButton *m_cmdDaily;
    QPushButton *m_cmdMen;
};

} // namespace orv
