#include "multiple_choice/processing.h"

#include "common/numbers.h"
#include "common/timetext.h"

#include <cstdlib>

namespace orv::processing {

double counterValue(QStringView counterText)
{
    return leadingNumber(counterText);
}

QString GetTStr(long long seconds)
{
    return signedDurationText(seconds);
}

Row row(int budget, int elapsed)
{
    const long long x = static_cast<long long>(budget) - elapsed;
    const long long magnitude = x < 0 ? -x : x;
    // Saturate: a bar far wider than any window is cut off anyway.
    return {GetTStr(x), x < 0, clampToInt(magnitude * kBarTwipsPerSecond)};
}

Refresh refresh(QStringView counterText, int divTime)
{
    Refresh r;
    r.elapsed = roundToInt(counterValue(counterText));
    // The counter only ever holds whole seconds from zero up; a negative
    // one (typed by hand, never written by the program) reads as 0 here.
    r.elapsedText = GetTStr(r.elapsed < 0 ? 0 : r.elapsed);
    r.required = row(divTime, r.elapsed);
    r.standard = row(kStandardSeconds, r.elapsed);
    r.cue = r.elapsed == kStandardSeconds;
    return r;
}

} // namespace orv::processing
