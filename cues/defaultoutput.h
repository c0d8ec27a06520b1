#pragma once

#include <QByteArray>

namespace orv {

// The sound server's current default output (its sink name), followed as the
// user changes it: Qt 6.4 keeps reporting the default it saw at start, so a
// cue after unplugged headphones would go nowhere. Empty when there is no
// PulseAudio-compatible server or it is not known yet. Never blocks: the
// server is watched on a thread of its own.
QByteArray currentDefaultOutput();

} // namespace orv
