#pragma once

// What the multiple-choice and essay timers share: the three-second start
// countdown before a run, the tick length typed into the run's box, and the
// dashes a run ends with. Plain values, no widgets.

#include <QString>
#include <QStringView>

namespace orv {

// The cover's countdown: "③" at load, then "②" and "①" a second apart, each
// with "s01.wav", and the start with "s03.wav" on the third tick.
class StartCountdown
{
public:
    struct Tick
    {
        QString digit;        // the cover's caption
        QString cue;
        bool starts = false;  // the run begins: the cover goes, the run clock starts
    };

    static constexpr QStringView kFirstDigit = u"③";
    static constexpr QStringView kLoadCue = u"s01.wav";

    // One tick of the countdown clock. The third starts the run and resets
    // the count.
    Tick tick();
    int step() const { return m_step; }

private:
    int m_step = 0;
};

// The run clock's tick length in milliseconds from the text of its box: the
// number the text begins with, to the nearest whole millisecond.
int tickLength(QStringView text);

// The run clock's tick length when the run starts, whatever the box holds.
inline constexpr int kStandardTickMs = 1000;

// What the figures show once a run is over, and its cue.
struct RunEnd
{
    static constexpr QStringView questionNo = u"--";
    static constexpr QStringView questionLeft = u"--:--";
    static constexpr QStringView runLeft = u"-:--:--";
    static constexpr QStringView cue = u"s04.wav";
};

} // namespace orv
