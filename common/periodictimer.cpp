// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/periodictimer.h"

#include <QTimerEvent>

namespace orv {

PeriodicTimer::PeriodicTimer(const QString &name, QObject *parent)
    : QObject(parent)
{
    setObjectName(name);
}

void PeriodicTimer::setInterval(int milliseconds)
{
    if (milliseconds == m_interval)
        return;
    m_interval = milliseconds;
    reschedule();
    emit intervalChanged(m_interval);
}

void PeriodicTimer::setEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    reschedule();
    emit enabledChanged(m_enabled);
}

void PeriodicTimer::reschedule()
{
    // Every int above 0 is a valid QTimer interval, so no upper clamp is
    // needed; 0 and below mean "no ticks".
    if (m_enabled && m_interval > 0)
        m_timer.start(m_interval, Qt::PreciseTimer, this);
    else
        m_timer.stop();
}

void PeriodicTimer::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != m_timer.timerId()) {
        QObject::timerEvent(event);
        return;
    }
    emit timeout();
}

} // namespace orv
