#include "essay/schedule.h"

#include "common/timetext.h"

#include <array>

namespace orv::essay {

namespace {

// One phase of the schedule: ticks from <= t < to.
struct Phase
{
    int from;
    int to;
    const char *bar;
    const char *text;
    const char *hidesBar;  // the previous phase's bar and text, or nullptr
    const char *hidesText;
};

constexpr std::array<Phase, 6> kSchedule{{
    {0, 600, "LabelA(0)", "LabelAS(0)", nullptr, nullptr},
    {600, 1800, "LabelB(0)", "LabelBS(0)", "LabelA(0)", "LabelAS(0)"},
    {1800, 3600, "LabelC(0)", "LabelCS(0)", "LabelB(0)", "LabelBS(0)"},
    {3600, 4200, "LabelA(1)", "LabelAS(1)", "LabelC(0)", "LabelCS(0)"},
    {4200, 5400, "LabelB(1)", "LabelBS(1)", "LabelA(1)", "LabelAS(1)"},
    {5400, 7200, "LabelC(1)", "LabelCS(1)", "LabelB(1)", "LabelBS(1)"},
}};

Effect caption(const char *target, const QString &text)
{
    return {Effect::Kind::Caption, target, text};
}
Effect hide(const char *target)
{
    return {Effect::Kind::Hide, target};
}
Effect cue(const char *file)
{
    return {Effect::Kind::Cue, file};
}

// The phase whose range holds t, or nullptr.
const Phase *phaseAt(int t)
{
    for (const Phase &phase : kSchedule)
        if (phase.from <= t && t < phase.to)
            return &phase;
    return nullptr;
}

} // namespace

Effects countdownTick(int &countdownStep)
{
    ++countdownStep;
    switch (countdownStep) {
    case 1:
        return {caption("Label1", QStringLiteral("②")), cue("s01.wav")};
    case 2:
        return {caption("Label1", QStringLiteral("①")), cue("s01.wav")};
    case 3:
        countdownStep = 0;
        return {caption("Label1", QString()),
                {Effect::Kind::Enable, "Timer2", {}, 0},
                cue("s03.wav"),
                {Effect::Kind::Interval, "Timer1", {}, 1000},
                {Effect::Kind::Enable, "Timer1", {}, 1},
                hide("Picture1")};
    default:
        return {};
    }
}

Effects runTick(int &elapsedSec)
{
    if (elapsedSec >= kRunTicks)
        return {};
    const int t = ++elapsedSec;
    if (t == kRunTicks) {
        return {{Effect::Kind::Enable, "Timer1", {}, 0},
                hide("LabelC(1)"),
                hide("LabelCS(1)"),
                caption("LabelQNo", QStringLiteral("--")),
                caption("LabelEachTime", QStringLiteral("--:--")),
                caption("LabelTotalTime", QStringLiteral("-:--:--")),
                cue("s04.wav")};
    }

    Effects effects;
    if (const Phase *phase = phaseAt(t)) {
        if (t == phase->from && phase->from != 0)
            effects.push_back(cue("s02.wav"));
        if (phase->from == kQuestionTicks)
            effects.push_back(caption("LabelQNo", QStringLiteral("2")));
        if (phase->hidesBar) {
            effects.push_back(hide(phase->hidesBar));
            effects.push_back(hide(phase->hidesText));
        }
        const int left = phase->to - t;
        effects.push_back({Effect::Kind::Width, phase->bar, {}, left});
        effects.push_back(caption(phase->text, durationText(left)));
    }
    QString questionText;
    QString runText;
    restTimes(t, questionText, runText);
    effects.push_back(caption("LabelEachTime", questionText));
    effects.push_back(caption("LabelTotalTime", runText));
    return effects;
}

void restTimes(int elapsedSec, QString &questionText, QString &runText)
{
    // Floor division makes the count to the end of the first hour, negative
    // during question 2, read as the time left in question 2.
    questionText = durationText(static_cast<long long>(kQuestionTicks) - elapsedSec);
    runText = durationText(static_cast<long long>(kRunTicks) - elapsedSec);
}

} // namespace orv::essay
