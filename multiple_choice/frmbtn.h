// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "multiple_choice/debounce.h"
#include "widgets/form.h"

namespace orv {

// The floating "Done" button: reports a finished question, at most once in
// about two seconds, and beeps when a press counts. It knows nothing of the
// pacing window; the pacing window listens to donePressed().
class FrmBtn : public Form
{
    Q_OBJECT
    Q_PROPERTY(int PrevPress READ prevPress)
    Q_PROPERTY(int ThisPress READ thisPress)

public:
    FrmBtn();

    int prevPress() const { return m_debounce.prevPress(); }
    int thisPress() const { return m_debounce.thisPress(); }

public slots:
    void CmdDone_Click();

signals:
    // A press that counts, after its beep. Listeners run before the press
    // is recorded, so the two-second gap counts from the end of their work.
    void donePressed();

protected:
    // The user cannot close it from the window system: it is the only way to
    // report a finished question. It closes with the pacing window.
    void closeEvent(QCloseEvent *event) override;

private:
    PressDebounce m_debounce;
};

} // namespace orv
