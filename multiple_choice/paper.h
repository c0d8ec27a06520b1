// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The multiple-choice paper's pacing, without widgets: 60 questions in
// 12,600 seconds, a standard 210 seconds each. The model holds the pacing
// window's counters and turns each tick and each finished question into
// the texts and grid changes the window shows. It knows nothing of the
// per-question window beyond this: a counted tick advances that window's
// counter, and a counted question (or the start) resets it.

#include "common/timedrun.h"

#include <QString>

#include <optional>

namespace orv {

namespace pace {

inline constexpr int kQuestions = 60;
inline constexpr int kPaperSeconds = 12600;
inline constexpr int kStandardSeconds = 210;

struct SavedTime
{
    int lpDivTime = 0;   // seconds available for each question not yet finished
    QString divTimeText; // its time text
    QString savedText;   // the advantage over the standard pace, or "-"
};

// The user's pace and advantage after `totalCnt` seconds with `doneCnt`
// questions finished.
SavedTime savedTime(int totalCnt, int doneCnt);

} // namespace pace

class Paper
{
public:
    // What the user's figures show after a tick or a finished question.
    struct Pace
    {
        QString divTimeText; // seconds for each question left (LpDivTime)
        QString savedText;   // the advantage, or "-"
        bool operator==(const Pace &) const = default;
    };

    struct Tick
    {
        bool ended = false;           // the paper is over: the dashes, the end's cue, nothing else
        std::optional<int> blacken;   // the grid cell the standard pace reached
        std::optional<int> marker;    // the marker brought to the front
        RunFigures figures;           // the standard pace, and the time left in its slot and the paper
        std::optional<Pace> pace;     // when either figure changes
        std::optional<Cue> cue;
    };

    struct Next
    {
        int marker = 0;   // the new current question's marker, brought to the front
        QString question; // the number of the question the user is on
        Pace pace;
    };

    // What the window shows before the first tick.
    struct Initial
    {
        QString question;
        Pace pace;
        RunFigures figures;
    };
    static Initial initial();

    // The countdown is over: the first question's budget is the standard
    // one, unless questions finished during the countdown have set it.
    void start();
    // One pacing tick; nothing once the paper is over.
    std::optional<Tick> tick();
    // The user has finished the current question; nothing after the end,
    // or on the last question.
    std::optional<Next> next();

    int lpDivTime() const { return m_lpDivTime; }
    int slotCnt() const { return m_slotCnt; }
    int totalCnt() const { return m_totalCnt; }
    int stdQNo() const { return m_stdQNo; }
    int doneCnt() const { return m_doneCnt; }
    QString divTimeText() const { return m_divTimeText; }

private:
    Pace recompute();

    int m_lpDivTime = 0;
    int m_slotCnt = 0;
    int m_totalCnt = 0;
    int m_stdQNo = 0;
    int m_doneCnt = 0;
    QString m_divTimeText;
    Pace m_shownPace = initial().pace; // what the window shows
};

} // namespace orv
