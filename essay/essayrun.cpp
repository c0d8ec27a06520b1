#include "essay/essayrun.h"

#include "common/timetext.h"

#include <array>

namespace orv {

namespace essay {

namespace {
// Where each phase begins; the next one's beginning is where it ends.
constexpr std::array<int, kPhases + 1> kBounds{0, 600, 1800, 3600, 4200, 5400, kRunTicks};

// The phase whose ticks hold t; t runs from 1 to kRunTicks - 1.
Phase phaseAt(int t)
{
    int i = 0;
    while (t >= kBounds[size_t(i) + 1])
        ++i;
    return Phase(i);
}
} // namespace

int phaseFrom(Phase phase)
{
    return kBounds[size_t(phase)];
}

int phaseTo(Phase phase)
{
    return kBounds[size_t(phase) + 1];
}

void restTimes(int elapsedSec, QString &questionText, QString &runText)
{
    // Floor division makes the count to the end of the first hour, negative
    // during question 2, read as the time left in question 2.
    questionText = durationText(static_cast<long long>(kQuestionTicks) - elapsedSec);
    runText = durationText(static_cast<long long>(kRunTicks) - elapsedSec);
}

} // namespace essay

EssayRun::Tick EssayRun::tick()
{
    using namespace essay;
    Tick tick;
    if (m_elapsedSec >= kRunTicks)
        return tick;
    tick.counted = true;
    const int t = ++m_elapsedSec;
    if (t == kRunTicks) {
        tick.ended = true;
        tick.hidden = Phase::Writing2;
        return tick;
    }
    const Phase phase = phaseAt(t);
    const int from = phaseFrom(phase);
    // The run's start has a cue of its own.
    if (t == from && from != 0)
        tick.cue = QStringLiteral("s02.wav");
    if (phase == Phase::Issues2)
        tick.questionNo = QStringLiteral("2");
    if (phase != Phase::Issues1)
        tick.hidden = Phase(int(phase) - 1);
    tick.phase = phase;
    tick.barTwips = phaseTo(phase) - t;
    tick.phaseText = durationText(tick.barTwips);
    restTimes(t, tick.questionLeft, tick.runLeft);
    return tick;
}

} // namespace orv
