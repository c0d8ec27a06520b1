// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The time-of-day reading on any text: a text it accepts comes back as
// "hh:mm" with hours 00-23 and minutes 00-59, and reads as itself again.
#include "countdown/kitchen.h"

#include <QRegularExpression>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QRegularExpression hhmm(QStringLiteral("^([01]\\d|2[0-3]):[0-5]\\d$"));
    const auto target = orv::countdown::readTimeOfDay(QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (target && (!hhmm.match(*target).hasMatch() || orv::countdown::readTimeOfDay(*target) != target))
        std::abort();
    return 0;
}
