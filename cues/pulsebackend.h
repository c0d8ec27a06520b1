// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "cues/cue.h"

#include <QHash>

#include <memory>

namespace orv {

class PulseConnection;
struct Wave;

// Plays cues as PulseAudio streams (PipeWire answers the same protocol) to
// whatever output is the default when the cue starts, so a cue follows
// unplugged headphones. The cue files are read once and kept. Without a
// sound server a cue is silent; the player connects again when a cue is
// requested after the server went away.
class PulseBackend : public CueBackend
{
public:
    PulseBackend();
    ~PulseBackend() override;
    std::unique_ptr<CueVoice> play(const QString &path) override;
    void preload(const QString &path) override;
    QString problem(const QString &path) override;

private:
    std::shared_ptr<const Wave> wave(const QString &path);

    std::shared_ptr<PulseConnection> m_connection;
    QHash<QString, std::shared_ptr<const Wave>> m_waves;
};

} // namespace orv
