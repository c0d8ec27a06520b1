#include "common/timedrun.h"

#include "common/numbers.h"

namespace orv {

StartCountdown::Tick StartCountdown::tick()
{
    if (++m_step < 3)
        return {m_step == 1 ? QStringLiteral("②") : QStringLiteral("①"), kLoadCue.toString(), false};
    m_step = 0;
    return {QString(), QStringLiteral("s03.wav"), true};
}

int tickLength(QStringView text)
{
    return roundToInt(leadingNumber(text));
}

} // namespace orv
