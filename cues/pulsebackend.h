#pragma once

#include "cues/cue.h"

#include <QFileSystemWatcher>
#include <QHash>

#include <memory>

namespace orv {

class PulseConnection;

// Plays cues as PulseAudio streams (PipeWire answers the same protocol) to
// whatever output is the default when the cue starts, so a cue follows
// unplugged headphones. The cue files are read once and kept. Without a
// sound server a cue is silent; when the server goes away the player
// connects again as soon as its socket is back.
class PulseBackend : public CueBackend
{
public:
    PulseBackend();
    ~PulseBackend() override;
    std::unique_ptr<CueVoice> play(const QString &path) override;
    void preload(const QString &path) override;

    struct Sample;

private:
    const Sample &sample(const QString &path);

    std::shared_ptr<PulseConnection> m_connection;
    QFileSystemWatcher m_watch;
    QHash<QString, std::shared_ptr<const Sample>> m_samples;
};

} // namespace orv
