// The time-of-day reading on any text: a text it accepts comes back as
// "hh:mm" with hours 00-23 and minutes 00-59, and reads as itself again.
#include "countdown/countdownlogic.h"

#include <QString>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const auto target = orv::countdown::readTimeOfDay(text);
    if (!target)
        return 0;
    const QString &t = *target;
    if (t.size() != 5 || t[2] != u':')
        std::abort();
    bool hoursOk = false, minutesOk = false;
    const int hours = t.left(2).toInt(&hoursOk);
    const int minutes = t.mid(3).toInt(&minutesOk);
    if (!hoursOk || !minutesOk || hours < 0 || hours > 23 || minutes < 0 || minutes > 59)
        std::abort();
    if (orv::countdown::readTimeOfDay(t) != target)
        std::abort();
    return 0;
}
