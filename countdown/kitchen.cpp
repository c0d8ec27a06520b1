// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "countdown/kitchen.h"

#include "common/numbers.h"
#include "common/timetext.h"

#include <QStringList>

#include <array>
#include <climits>

namespace orv {

namespace countdown {

const Preset &preset(int index)
{
    static constexpr std::array<Preset, kPresets> presets{{
        {60, "60"}, {120, "2:00"}, {180, "3:00"}, {240, "4:00"}, {300, "5:00"},
    }};
    return presets.at(static_cast<size_t>(index));
}

int secondsFromMinutes(double minutes)
{
    return roundToInt(minutes * 60.0);
}

QString displayText(long long seconds)
{
    return seconds < 0 ? QStringLiteral("0") : durationText(seconds);
}

double mainDisplayPoints(const QString &text)
{
    return text.size() > 7 ? 48.0 : 72.0;
}

namespace {

// One field of a time of day: one or two ASCII digits, blanks around them.
std::optional<int> readField(QStringView field, int largest)
{
    field = field.trimmed();
    if (field.isEmpty() || field.size() > 2)
        return std::nullopt;
    int value = 0;
    for (QChar c : field) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
    }
    if (value > largest)
        return std::nullopt;
    return value;
}

} // namespace

std::optional<QString> readTimeOfDay(QStringView entry)
{
    const QList<QStringView> fields = entry.split(u':');
    if (fields.size() != 2 && fields.size() != 3)
        return std::nullopt;
    const auto hours = readField(fields[0], 23);
    const auto minutes = readField(fields[1], 59);
    if (!hours || !minutes)
        return std::nullopt;
    if (fields.size() == 3 && !readField(fields[2], 59))
        return std::nullopt;
    return QStringLiteral("%1:%2").arg(*hours, 2, 10, QLatin1Char('0')).arg(*minutes, 2, 10, QLatin1Char('0'));
}

QString clockMinute(const QTime &time)
{
    return time.toString(QStringLiteral("hh:mm"));
}

QString clockLine(const QTime &time)
{
    return QStringLiteral("現在時刻 ") + time.toString(QStringLiteral("H:mm:ss"));
}

int saturatingIncrement(int count)
{
    return count == INT_MAX ? count : count + 1;
}

} // namespace countdown

using namespace countdown;

Kitchen::Initial Kitchen::initial()
{
    // The three-minute key is the default: Enter starts the usual noodles.
    const QString digit = StartCountdown::opening().digit;
    return {.display = {digit, mainDisplayPoints(digit)}, .entry = QStringLiteral("10"),
            .overtime = QStringLiteral("0:00"), .defaultKey = 2};
}

std::optional<Kitchen::Start> Kitchen::press(int index)
{
    if (index < 0 || index > kInputKey)
        return std::nullopt;
    m_almOn = false;
    if (index == kInputKey)
        return Start{.asks = true};
    m_limTime = preset(index).seconds;
    // The preset's own text, in the display's size as it stands.
    m_shownText = QString::fromLatin1(preset(index).display);
    return Start{.display = {.text = m_shownText}};
}

std::optional<Kitchen::Start> Kitchen::enter(const QString &entry, const QTime &now)
{
    if (entry.isEmpty())
        return std::nullopt;
    if (entry.contains(u':')) {
        m_almTime = readTimeOfDay(entry).value_or(kNeverMatches.toString());
        // The entry as typed, not as read.
        m_shownText = entry;
        m_shownClockLine = clockLine(now);
        return Start{.display = {.text = entry}, .clockLine = m_shownClockLine};
    }
    m_limTime = secondsFromMinutes(leadingNumber(entry));
    return Start{.display = remaining(m_limTime).value_or(Display{displayText(m_limTime)})};
}

std::optional<Kitchen::Display> Kitchen::show(const QString &text, std::optional<double> points)
{
    if (points == m_shownPoints)
        points.reset();
    if (text == m_shownText && !points)
        return std::nullopt;
    m_shownText = text;
    if (points)
        m_shownPoints = *points;
    return Display{text, points};
}

std::optional<Kitchen::Display> Kitchen::remaining(long long seconds)
{
    const QString text = displayText(seconds);
    return show(text, mainDisplayPoints(text));
}

std::optional<Kitchen::Tick> Kitchen::applied(const Tick &tick)
{
    if (!tick.display && !tick.alarmBegins && !tick.cue && !tick.overtime && !tick.clockLine)
        return std::nullopt;
    return tick;
}

void Kitchen::alarm(Tick &tick, bool muted)
{
    tick.display = show(kAlarmFace.toString());
    if (!muted)
        tick.cue = Cue::Alarm;
    tick.alarmBegins = !m_alarmBegun;
    m_alarmBegun = true;
}

std::optional<Kitchen::Tick> Kitchen::tick(bool muted)
{
    Tick tick;
    m_passCnt = saturatingIncrement(m_passCnt);
    if (m_passCnt >= m_limTime)
        alarm(tick, muted);
    if (m_passCnt < m_limTime) // it counts up from 0, so is at least 1 here
        tick.display = remaining(static_cast<long long>(m_limTime) - m_passCnt);
    else if (m_passCnt > m_limTime)
        tick.overtime = displayText(static_cast<long long>(m_passCnt) - m_limTime);
    return applied(tick);
}

std::optional<Kitchen::Tick> Kitchen::clockTick(const QTime &now, bool muted)
{
    Tick tick;
    if (clockMinute(now) == m_almTime)
        m_almOn = true;
    if (const QString line = clockLine(now); line != m_shownClockLine)
        tick.clockLine = m_shownClockLine = line;
    if (m_almOn) {
        alarm(tick, muted);
        m_passCnt = saturatingIncrement(m_passCnt);
        tick.overtime = displayText(m_passCnt);
    }
    return applied(tick);
}

} // namespace orv
