// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Tick timing against the monotonic clock, shared by the floor and the
// driver so both are measured the same way.

#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

class TickLog
{
public:
    explicit TickLog(int wanted) : m_wanted(wanted) { m_times.reserve(size_t(wanted) + 1); }

    // Records one tick; true once the wanted number is reached.
    bool tick()
    {
        if (m_times.empty())
            m_clock.start();
        m_times.push_back(m_clock.nsecsElapsed());
        return int(m_times.size()) > m_wanted;
    }

    // "ticks drift_ms p50_late_ms p99_late_ms": drift is how far the last of
    // `wanted` ticks after the first is from `wanted` seconds; lateness of
    // each tick is against the ideal schedule from the first.
    void print(int intervalMs) const
    {
        std::vector<double> late;
        for (size_t i = 1; i < m_times.size(); ++i)
            late.push_back(double(m_times[i] - m_times[0]) / 1e6 - double(i) * intervalMs);
        const double drift = late.empty() ? 0 : late.back();
        std::vector<double> sorted = late;
        std::sort(sorted.begin(), sorted.end());
        auto pct = [&](double p) { return sorted.empty() ? 0.0 : sorted[size_t(p * double(sorted.size() - 1))]; };
        std::printf("ticks %zu drift_ms %.3f p50_ms %.3f p99_ms %.3f\n", late.size(), drift, pct(0.5), pct(0.99));
        std::fflush(stdout);
    }

private:
    int m_wanted;
    QElapsedTimer m_clock;
    std::vector<qint64> m_times;
};
