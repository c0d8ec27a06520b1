#pragma once

#include "cues/cue.h"

#include <memory>
#include <vector>

class QSoundEffect;

namespace orv {

// Plays through Qt Multimedia. Each cue gets a fresh QSoundEffect: one effect
// replayed many times goes silent after a few plays on PulseAudio, a fresh one
// does not. Without a sound server the effect stays silent, without an error.
class SoundEffectBackend : public CueBackend
{
public:
    SoundEffectBackend();
    ~SoundEffectBackend() override;
    std::unique_ptr<CueVoice> play(const QString &path) override;
    void preload(const QString &path) override;

private:
    // Loaded effects that keep their samples in Qt's cache; never played.
    std::vector<std::unique_ptr<QSoundEffect>> m_loaded;
};

} // namespace orv
