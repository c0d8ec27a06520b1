// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace orv {

enum class Cue; // common/cuefile.h

// One sounding cue. Deleting it must stop it.
class CueVoice
{
public:
    virtual ~CueVoice() = default;
};

// Turns a cue file into sound. The real one plays through PulseAudio, in a
// module of its own; tests put a recording one in its place.
class CueBackend
{
public:
    virtual ~CueBackend() = default;
    // Starts playing the file at `path` once and returns at once; the returned
    // voice lives as long as the cue may sound. Never throws, never reports
    // an error: a file that cannot be played is simply silent.
    virtual std::unique_ptr<CueVoice> play(const QString &path) = 0;
    // Reads a file ahead of its first cue, so that cue is not late.
    virtual void preload(const QString &path) { (void)path; }
    // Why the file cannot be played (libsndfile's reason, say), once that is
    // known; empty while it is not, or when it can be. Never waits.
    virtual QString problem(const QString &path)
    {
        (void)path;
        return {};
    }
    // Set by the cue service: called when a file a voice was waiting for
    // turns out to be one that cannot be played, so that it says why.
    std::function<void(const QString &path)> refusedLater;
};

// Plays the file of a cue (for example "s02.wav" for Cue::Milestone) once,
// asynchronously. One cue sounds at a time: a new request cuts the one still
// sounding, even when the new file turns out to be missing. The file is
// looked up in the current directory, then beside the program. Never blocks
// and never fails: each request is logged on orvalen.cue as "play <name>",
// and a file the player cannot play is silent, with one warning there the
// first time it is asked for once read ("cannot play s03.wav: Format not
// recognised.").
void PlayCue(Cue cue);

// The folders PlayCue looks in, in order: the current directory, the
// program's own folder (a build), then the program's data folder
// (<prefix>/share/orvalen beside <prefix>/bin, as installed).
QStringList cueFolders();

// The first readable file of that name in the folders; empty when none.
QString findCueFile(const QString &name, const QStringList &folders);

// findCueFile over cueFolders().
QString resolveCueFile(const QString &name);

// Replaces the backend (the real one is made on first use) and returns the
// previous one. Passing nullptr restores the real backend on the next cue.
std::unique_ptr<CueBackend> setCueBackend(std::unique_ptr<CueBackend> backend);

// Gets the sound output ready, so the first cue is not late: loads the sound
// module (orvalen_sound.so, beside the program or in <libdir>/orvalen; every
// cue is silent without it), connects to the sound server and loads the cue
// files. Called once the program is up; PlayCue does it itself when it was
// not called.
void prepareCues();

// Stops the cue that is sounding, if any. Called when the program shuts down.
void stopCues();

} // namespace orv
