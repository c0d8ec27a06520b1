#include "multiple_choice/processing.h"

#include "common/numbers.h"
#include "common/timetext.h"
#include "multiple_choice/pace.h"

namespace orv::processing {

namespace {
Row row(int budget, int elapsed)
{
    const long long x = static_cast<long long>(budget) - elapsed;
    const long long magnitude = x < 0 ? -x : x;
    // Saturate: a bar far wider than any window is cut off anyway.
    return {signedDurationText(x), x < 0, clampToInt(magnitude * kBarTwipsPerSecond)};
}
} // namespace

Refresh refresh(QStringView counterText, int divTime)
{
    Refresh r;
    r.elapsed = roundToInt(leadingNumber(counterText));
    // The counter only ever holds whole seconds from zero up; a negative
    // one (typed by hand, never written by the program) reads as 0 here.
    r.elapsedText = signedDurationText(r.elapsed < 0 ? 0 : r.elapsed);
    r.required = row(divTime, r.elapsed);
    r.standard = row(pace::kStandardSeconds, r.elapsed);
    r.cue = r.elapsed == pace::kStandardSeconds;
    return r;
}

} // namespace orv::processing
