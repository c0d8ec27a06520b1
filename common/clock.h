// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QTime>

#include <functional>

namespace orv {

// The time of day as the system clock shows it (so a faked system clock is
// honoured). Tests put a controllable clock in its place.
QTime timeOfDay();

// Replaces the time-of-day source; an empty function restores the system clock.
void setTimeOfDaySource(std::function<QTime()> source);

} // namespace orv
