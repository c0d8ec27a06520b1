// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/timedrun.h"

#include "common/numbers.h"

namespace orv {

StartCountdown::Step StartCountdown::opening()
{
    return {QStringLiteral("③"), Cue::Countdown};
}

StartCountdown::Step StartCountdown::tick()
{
    if (++m_step < 3)
        return {m_step == 1 ? QStringLiteral("②") : QStringLiteral("①"), Cue::Countdown};
    m_step = 0;
    return {QString(), Cue::Start, true};
}

int tickLength(QStringView text)
{
    return roundToInt(leadingNumber(text));
}

RunFigures runEndFigures()
{
    return {QStringLiteral("--"), QStringLiteral("--:--"), QStringLiteral("-:--:--")};
}

} // namespace orv
