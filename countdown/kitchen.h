// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The kitchen timer's model, without widgets: its presets, typed minutes or
// time of day, the countdown and clock ticks, the alarm and the overtime.

#include "common/cuefile.h"
#include "common/timedrun.h"

#include <QString>
#include <QStringView>
#include <QTime>

#include <optional>

namespace orv {

namespace countdown {

// The presets of the keypad: seconds and the text shown at the start (the
// one-minute preset shows "60", not "1:00").
struct Preset
{
    int seconds;
    const char *display;
};
inline constexpr int kPresets = 5;
const Preset &preset(int index); // index 0 to kPresets - 1

// The key that asks for an entry.
inline constexpr int kInputKey = kPresets;

// Seconds of a typed number of minutes: minutes x 60 to the nearest second
// (half to even), saturated into the 32-bit range.
int secondsFromMinutes(double minutes);

// The display text of a count of seconds; a negative count shows "0".
QString displayText(long long seconds);

// The main display's size for a text: 48 pt beyond 7 characters, else 72 pt.
double mainDisplayPoints(const QString &text);

// A typed time of day as "hh:mm": hours 0-23 and minutes 0-59 with optional
// seconds 0-59, one or two digits each, joined by colons; blanks around the
// fields are allowed. Anything else gives nothing.
std::optional<QString> readTimeOfDay(QStringView entry);

// What a time of day that cannot be read is stored as: no clock reading
// ever equals it, so the alarm never comes.
inline constexpr QStringView kNeverMatches = u"--:--";

// How the clock reading compares with a target, and how the clock line
// reads it.
QString clockMinute(const QTime &time); // "hh:mm"
QString clockLine(const QTime &time);   // "現在時刻 h:mm:ss"

// One more tick on a count that never wraps around.
int saturatingIncrement(int count);

} // namespace countdown

class Kitchen
{
public:
    // A text for the main display, and its size in points when that changes.
    struct Display
    {
        QString text;
        std::optional<double> points = {};
    };

    // What the window shows before any key: the cover's digit on the
    // display, the entry box's text, the overtime's, and the key Enter
    // presses.
    struct Initial
    {
        Display display;
        QString entry;
        QString overtime;
        int defaultKey = 0;
    };
    static Initial initial();

    struct Start
    {
        bool asks = false;                // the input key: an entry is wanted (enter)
        Display display = {};
        std::optional<QString> clockLine = {}; // a wait for a time of day, on the clock tick
    };

    struct Tick
    {
        std::optional<Display> display;
        bool alarmBegins = false;         // the first alarm: the mute box shows, and the desktop
                                          // is asked to draw the user's eye
        std::optional<Cue> cue;           // every alarm tick, unless muted
        std::optional<QString> overtime;  // shown with its tag
        std::optional<QString> clockLine; // in clock mode
    };

    static constexpr QStringView kAlarmFace = u"(^｡^)";

    // A key of the keypad; nothing for a key that is not there. Every key
    // clears the alarm of clock mode; the presets start their countdown at
    // once, the input key asks first.
    std::optional<Start> press(int index);
    // The entry typed after the input key, read at `now`: a time of day
    // when it holds a colon, else a number of minutes. An empty entry
    // (cancelled) starts nothing.
    std::optional<Start> enter(const QString &entry, const QTime &now);

    // A tick of the countdown, and of the wait for a time of day; nothing
    // when the tick changes nothing.
    std::optional<Tick> tick(bool muted);
    std::optional<Tick> clockTick(const QTime &now, bool muted);

    int limTime() const { return m_limTime; }
    int passCnt() const { return m_passCnt; }
    QString almTime() const { return m_almTime; }
    bool almOn() const { return m_almOn; }

private:
    // The display as it must change to show `text`, at `points` if given;
    // nothing when it shows that already.
    std::optional<Display> show(const QString &text, std::optional<double> points = {});
    std::optional<Display> remaining(long long seconds);
    // The tick, unless it changes nothing.
    static std::optional<Tick> applied(const Tick &tick);
    void alarm(Tick &tick, bool muted);

    int m_limTime = 0;
    int m_passCnt = 0;
    QString m_almTime;
    bool m_almOn = false;
    bool m_alarmBegun = false;
    // What the window shows, so that a result names only what changes.
    QString m_shownText = initial().display.text;
    double m_shownPoints = *initial().display.points;
    QString m_shownClockLine;
};

} // namespace orv
