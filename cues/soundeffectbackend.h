#pragma once

#include "cues/cue.h"

namespace orv {

// Plays through Qt Multimedia. Each cue gets a fresh QSoundEffect: one effect
// replayed many times goes silent after a few plays on PulseAudio, a fresh one
// does not. Without a sound server the effect stays silent, without an error.
class SoundEffectBackend : public CueBackend
{
public:
    std::unique_ptr<CueVoice> play(const QString &path) override;
};

} // namespace orv
