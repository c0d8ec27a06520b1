// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The per-question window's model, without widgets: the elapsed counter of
// the current question and its budget, frozen when the question begins,
// turned into the texts, bars and cue the window shows.

#include "common/cuefile.h"

#include <QString>
#include <QStringView>

#include <optional>

namespace orv {

class QuestionClock
{
public:
    static constexpr int kBarTwipsPerSecond = 5;

    // One row: the time left against a budget, or the overrun.
    struct Row
    {
        QString text;  // time text, "-" in front of an overrun
        bool overrun = false; // red bar when true, blue otherwise
        int barTwips = 0;     // 5 twips a second of time left or overrun
    };

    // The rows' headings.
    struct Headings
    {
        QString required;
        QString standard;
    };

    struct Refresh
    {
        QString elapsedText;
        Row required; // against the frozen budget
        Row standard; // against the standard 210 seconds
        std::optional<Cue> cue; // the question has taken exactly 210 seconds
        std::optional<Headings> headings;
    };

    // What the window shows before its first write: no time spent, the
    // standard time left on both rows, the bars at their designed width, and
    // the headings with full-width parentheses.
    static Refresh initial();

    // Writes the counter. A counter of exactly zero begins a question, which
    // takes `budget` seconds as its own. The first write rewrites the
    // headings with half-width parentheses, as the figures are written.
    Refresh write(const QString &counter, int budget);
    // The counter one tick on.
    QString advanced() const;

    QString counter() const { return m_counter; }
    int divTime() const { return m_divTime; }

    // The refresh for a counter text and a budget.
    static Refresh refresh(QStringView counter, int divTime);

private:
    QString m_counter;
    int m_divTime = 0;
    bool m_written = false;
};

} // namespace orv
