// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QBasicTimer>
#include <QObject>

namespace orv {

// A periodic timer with an interval in milliseconds and an enabled flag.
//
// Unlike QTimer, an interval of 0 gives no ticks at all (QTimer would fire on
// every pass of the event loop), and so does a negative one, which is kept
// as set: the interval property reports the last value set, negative too.
// Enabling or disabling never changes it, and an enabled timer whose
// interval becomes positive again resumes ticking. Ticks come from a precise timer, so they do not drift over a long
// run. Setting a property to the value it already has changes nothing, so a
// running timer is never restarted by a no-op write.
class PeriodicTimer : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int interval READ interval WRITE setInterval NOTIFY intervalChanged)
    Q_PROPERTY(bool enabled READ isEnabled WRITE setEnabled NOTIFY enabledChanged)

public:
    explicit PeriodicTimer(const QString &name, QObject *parent = nullptr);

    int interval() const { return m_interval; }
    bool isEnabled() const { return m_enabled; }

public slots:
    void setInterval(int milliseconds);
    void setEnabled(bool enabled);

signals:
    void timeout();
    void intervalChanged(int milliseconds);
    void enabledChanged(bool enabled);

protected:
    void timerEvent(QTimerEvent *event) override;

private:
    void reschedule();

    QBasicTimer m_timer;
    int m_interval = 0;
    bool m_enabled = false;
};

} // namespace orv
