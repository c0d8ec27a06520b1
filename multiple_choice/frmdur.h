// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "multiple_choice/question.h"
#include "widgets/form.h"

#include <functional>

class QLabel;

namespace orv {

// The per-question window under the pacing window: the time spent on the
// current question against its frozen budget and against the standard 210
// seconds. It has no clock of its own; the pacing window drives it through
// its elapsed counter and tells it where a new question's budget comes from.
class FrmDur : public Form
{
    Q_OBJECT
    Q_PROPERTY(QString TextEcnt READ textEcnt WRITE setTextEcnt)
    Q_PROPERTY(int DivTime READ divTime)

public:
    FrmDur();

    // The elapsed counter. It is internal state, out of the keyboard's reach;
    // every write loads the window if need be (without showing it) and
    // refreshes it before returning.
    QString textEcnt() const { return m_clock.counter(); }
    void setTextEcnt(const QString &text);
    // Writes the counter one tick on.
    void advance() { setTextEcnt(m_clock.advanced()); }

    int divTime() const { return m_clock.divTime(); }

    // Read when the counter is written as zero: the seconds the new question
    // may take. Without a source a question gets none.
    void setBudgetSource(std::function<int()> source) { m_budget = std::move(source); }

public slots:
    void TextEcnt_Change();

signals:
    // The user has brought this window to the front.
    void activated();

protected:
    void changeEvent(QEvent *event) override;

private:
    int budget() const { return m_budget ? m_budget() : 0; }
    void showRefresh(const QuestionClock::Refresh &refresh);

    QuestionClock m_clock;
    std::function<int()> m_budget;

    QLabel *m_durTime;
    QLabel *m_title2;
    QLabel *m_div;
    QLabel *m_eachTime2;
    QLabel *m_title;
    QLabel *m_div2;
    QLabel *m_eachTime;
};

} // namespace orv
