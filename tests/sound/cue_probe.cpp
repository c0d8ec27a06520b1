// Plays cues through the real cue service and listens to what reaches a
// PulseAudio sink: every request must be heard, soon. Run by
// scripts/sound-check.sh against a null sink, never by CTest.
//
// cue_probe <sink A> <sink B>
//   20 cue requests and 20 countdown alarm ticks, one a second, heard on the
//   monitor of sink A; then the default output changes to sink B and 5 more
//   cues must be heard there.

#include "common/fonts.h"
#include "common/periodictimer.h"
#include "countdown/frmmen.h"
#include "cues/cue.h"
#include "widgets/formref.h"
#include "app/frmmain.h"
#include "widgets/platform.h"

#include <QApplication>
#include <QProcess>
#include <QTest>

#include <pulse/error.h>
#include <pulse/simple.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <thread>
#include <time.h>
#include <vector>

using namespace orv;

namespace {

constexpr int kRate = 48000;
constexpr int kChunk = 240; // 5 ms
constexpr double kThreshold = 0.02;
constexpr double kQuietBeforeOnset = 0.15; // seconds

double now()
{
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

// Records a sink's monitor on a thread and notes the start of every sound
// that follows a quiet stretch. The sink's clock runs with the system's, so
// a sample's time is the recording's start plus its index over the rate;
// the start is the earliest any read could have begun (reads come late when
// the thread is scheduled late, never early).
class Listener
{
public:
    explicit Listener(const std::string &sink)
    {
        pa_sample_spec spec{PA_SAMPLE_S16LE, kRate, 1};
        pa_buffer_attr attr;
        attr.maxlength = uint32_t(-1);
        attr.tlength = uint32_t(-1);
        attr.prebuf = uint32_t(-1);
        attr.minreq = uint32_t(-1);
        attr.fragsize = kChunk * 2;
        int error = 0;
        const std::string source = sink + ".monitor";
        m_pa = pa_simple_new(nullptr, "orvalen-cue-probe", PA_STREAM_RECORD, source.c_str(), "listen", &spec,
                             nullptr, &attr, &error);
        if (!m_pa) {
            std::fprintf(stderr, "probe: cannot record %s: %s\n", source.c_str(), pa_strerror(error));
            return;
        }
        m_thread = std::thread([this] { run(); });
    }

    ~Listener() { stop(); }

    bool ok() const { return m_pa != nullptr; }

    void stop()
    {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
        if (m_pa) {
            pa_simple_free(m_pa);
            m_pa = nullptr;
        }
    }

    // Onset times in monotonic seconds; call after stop().
    std::vector<double> onsets() const
    {
        std::vector<double> times;
        for (long long index : m_onsetIndexes)
            times.push_back(m_start + double(index) / kRate);
        return times;
    }

private:
    void run()
    {
        std::vector<int16_t> chunk(kChunk);
        long long index = 0;
        long long lastLoud = -kRate * 10;
        while (!m_stop) {
            int error = 0;
            if (pa_simple_read(m_pa, chunk.data(), chunk.size() * 2, &error) < 0)
                return;
            const double readAt = now();
            for (int k = 0; k < kChunk; ++k, ++index) {
                if (std::abs(chunk[k] / 32768.0) < kThreshold)
                    continue;
                if (index - lastLoud > kQuietBeforeOnset * kRate)
                    m_onsetIndexes.push_back(index);
                lastLoud = index;
            }
            // A sample can only be read once the fragment that holds it is full.
            m_start = std::min(m_start, readAt - double(index) / kRate);
        }
    }

    pa_simple *m_pa = nullptr;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    std::vector<long long> m_onsetIndexes;
    double m_start = 1e300;
};

struct Verdict
{
    int heard = 0;
    std::vector<double> latencies; // milliseconds
    std::vector<int> missed;       // request numbers, from 1
};

Verdict match(const std::vector<double> &requests, const std::vector<double> &onsets)
{
    Verdict v;
    for (size_t i = 0; i < requests.size(); ++i) {
        const double r = requests[i];
        auto it = std::lower_bound(onsets.begin(), onsets.end(), r - 0.005);
        if (it != onsets.end() && *it - r < 0.5) {
            ++v.heard;
            v.latencies.push_back(std::max(0.0, (*it - r) * 1000.0));
        } else {
            v.missed.push_back(int(i) + 1);
        }
    }
    return v;
}

double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    installFontSubstitutions();
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <sink A> <sink B>\n", argv[0]);
        return 2;
    }
    Listener listenA(argv[1]);
    Listener listenB(argv[2]);
    if (!listenA.ok() || !listenB.ok())
        return 1;
    // A null sink's monitor takes a moment to deliver what is played.
    QTest::qWait(3000);
    prepareCues(); // as the program does once its menu is up
    QTest::qWait(500);

    // 20 cue requests, one a second.
    std::vector<double> requests;
    const char *names[] = {"s01.wav", "s05.wav"};
    for (int i = 0; i < 20; ++i) {
        requests.push_back(now());
        PlayCue(QString::fromLatin1(names[i % 2]));
        QTest::qWait(1000);
    }

    // 20 alarm ticks of the countdown timer, one a second.
    setInputBoxSource([](QWidget *, const QString &, const QString &) { return QStringLiteral("0"); });
    formRef<FrmMain>()->show();
    formRef<FrmMain>()->CmdMen_Click();
    FrmMen *men = formRef<FrmMen>().peek();
    men->CmdTime_Click(5);
    men->findChild<PeriodicTimer *>(QStringLiteral("Timer1"))->setEnabled(false);
    for (int i = 0; i < 20; ++i) {
        requests.push_back(now());
        men->Timer1_Timer();
        QTest::qWait(1000);
    }
    QTest::qWait(300);
    listenA.stop();
    const Verdict a = match(requests, listenA.onsets());
    if (qEnvironmentVariableIsSet("ORVALEN_PROBE_DEBUG")) {
        const double t0 = requests.front();
        for (double r : requests)
            std::printf("request %.3f\n", r - t0);
        for (double o : listenA.onsets())
            std::printf("onset %.3f\n", o - t0);
    }

    // The user switches outputs: the next cues go to the new default.
    QProcess::execute(QStringLiteral("pactl"), {QStringLiteral("set-default-sink"), QString::fromLocal8Bit(argv[2])});
    QTest::qWait(500);
    std::vector<double> switched;
    for (int i = 0; i < 5; ++i) {
        switched.push_back(now());
        PlayCue(QStringLiteral("s05.wav"));
        QTest::qWait(1000);
    }
    listenB.stop();
    const Verdict b = match(switched, listenB.onsets());

    const double maxLatency = a.latencies.empty() ? 0 : *std::max_element(a.latencies.begin(), a.latencies.end());
    std::printf("cues heard: %d of %zu on %s; latency median %.1f ms, max %.1f ms\n", a.heard, requests.size(),
                argv[1], median(a.latencies), maxLatency);
    std::printf("after the output changed: %d of %zu heard on %s\n", b.heard, switched.size(), argv[2]);
    if (!a.missed.empty()) {
        std::printf("not heard:");
        for (int m : a.missed)
            std::printf(" #%d", m);
        std::printf("\n");
    }
    std::printf("latencies:");
    for (double l : a.latencies)
        std::printf(" %.0f", l);
    std::printf("\n");

    discardAllForms();
    stopCues();
    const bool pass = a.heard == int(requests.size()) && maxLatency <= 50.0 && median(a.latencies) <= 30.0
                      && b.heard == int(switched.size());
    std::printf("%s\n", pass ? "sound check: passed" : "sound check: FAILED");
    return pass ? 0 : 1;
}
