#pragma once

// The countdown timer's rules, without widgets.

#include <QString>
#include <QStringView>
#include <QTime>

#include <optional>

namespace orv::countdown {

// The presets of the keypad: seconds and the text shown at the start (the
// one-minute preset shows "60", not "1:00").
struct Preset
{
    int seconds;
    const char *display;
};
const Preset &preset(int index); // index 0 to 4

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
QString clockMinute(const QTime &time);   // "hh:mm"
QString clockLine(const QTime &time);     // "現在時刻 h:mm:ss"

// One more tick on a count that never wraps around.
int saturatingIncrement(int count);

} // namespace orv::countdown
