// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/clock.h"

namespace orv {

namespace {
std::function<QTime()> &source()
{
    static std::function<QTime()> s;
    return s;
}
} // namespace

QTime timeOfDay()
{
    return source() ? source()() : QTime::currentTime();
}

void setTimeOfDaySource(std::function<QTime()> s)
{
    source() = std::move(s);
}

} // namespace orv
