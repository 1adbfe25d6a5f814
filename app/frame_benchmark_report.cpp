// The benchmark's two reports: a table for people, JSON for scripts.

#include <cmath>
#include <cstdarg>
#include <cstdio>

#include "app/frame_benchmark.h"

namespace {

const char* const MODE_NAMES[3] = {"KVX High Quality", "KVX", "SSM"};
constexpr size_t HQ = 0, KVX = 1, SSM = 2;
// The five-lookup program's lookups beyond the one of KVX.
constexpr int EXTRA_LOOKUPS = 4;
const char* const STAGE_KEYS[6] = {"fit_ms",   "depth_ms", "hand_over_ms",
                                   "scene_ms", "hud_ms",   "present_ms"};

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Format(const char* format, ...) {
    char text[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return text;
}

double Percent(double part, double whole) {
    return whole > 0.0 ? 100.0 * part / whole : 0.0;
}

double Ratio(double a, double b) {
    return b > 0.0 ? a / b : 0.0;
}

double PerSecond(double ms) {
    return ms > 0.0 ? 1000.0 / ms : 0.0;
}

// A JSON number, or null for NaN and infinities.
std::string Number(double v) {
    return std::isfinite(v) ? Format("%.6g", v) : "null";
}

// A JSON string of text that holds no quotes, backslashes or control characters.
std::string Quoted(const std::string& text) {
    std::string quoted = "\"";
    for (char c : text)
        quoted += (c == '"' || c == '\\' || static_cast<unsigned char>(c) < 0x20) ? ' ' : c;
    return quoted + "\"";
}

}  // namespace

std::string FrameBenchmark::Report(const RunFacts& facts) const {
    std::string report = Format("View %dx%d; depth map hand-over: %s\n", facts.width, facts.height,
                                facts.handOver.c_str());
    report +=
        "frame: median of the ordinary run; stages and the last frame column: medians of "
        "the stage-timing run (GPU finished at every stage's end)\n";
    report += Format("Start-up to first frame %.2f s; resident memory after start-up %.1f MiB\n",
                     facts.startUpSeconds, facts.residentMiB);
    report += Format("%-17s %9s %7s | %9s %9s %9s %9s %9s %9s | %9s %9s\n", "median ms", "frame",
                     "fps", "fit", "depth", "hand-over", "scene", "HUD", "present", "sum", "frame");
    ModeFigures modes[3];
    for (size_t i = 0; i < 3; ++i) {
        const ModeFigures& m = modes[i] = Mode(i);
        std::string line =
            Format("%-17s %9.3f %7.1f |", MODE_NAMES[i], m.frameMs, PerSecond(m.frameMs));
        for (double stage : m.stageMs)
            line += Format(" %9.3f", stage);
        report +=
            line + Format(" | %9.3f %9.3f (sum %.0f%% of it, %.0f%% of frame)\n", m.stageSumMs,
                          m.stageRunFrameMs, Percent(m.stageSumMs, m.stageRunFrameMs),
                          Percent(m.stageSumMs, m.frameMs));
    }
    report += Format("Hand-over: %.1f%% of the SSM frame, %.1f%% of the KVX frame\n",
                     Percent(modes[SSM].stageMs[2], modes[SSM].frameMs),
                     Percent(modes[KVX].stageMs[2], modes[KVX].frameMs));
    report +=
        Format("KVX frame / SSM frame: %.3f\n", Ratio(modes[KVX].frameMs, modes[SSM].frameMs));
    const double extra = modes[HQ].frameMs - modes[KVX].frameMs;
    report += Format("KVX High Quality over KVX: %.3f ms a frame, %.3f ms per extra lookup (%d)\n",
                     extra, extra / EXTRA_LOOKUPS, EXTRA_LOOKUPS);

    report +=
        "Live views, KVX High Quality (median ms; over none; worst frame and 99th percentile "
        "over the median):\n";
    const double none = Live(NO_LIVE_VIEW).frameMs;
    for (int v = NO_LIVE_VIEW; v < LIVE_VIEWS; ++v) {
        const LiveFigures live = Live(v);
        report +=
            Format("  %-8s %9.3f %7.1f fps  %5.2fx  worst %9.3f (%.2fx)  p99 %9.3f (%.2fx)\n",
                   LiveViewKey(v), live.frameMs, PerSecond(live.frameMs), Ratio(live.frameMs, none),
                   live.maxFrameMs, Ratio(live.maxFrameMs, live.frameMs), live.p99FrameMs,
                   Ratio(live.p99FrameMs, live.frameMs));
    }
    return report;
}

std::string FrameBenchmark::ReportJson(const RunFacts& facts) const {
    std::string json =
        Format("{\"view\": {\"width\": %d, \"height\": %d}", facts.width, facts.height) +
        ", \"hand_over\": " + Quoted(facts.handOver) +
        ", \"start_up_s\": " + Number(facts.startUpSeconds) +
        ", \"resident_mib\": " + Number(facts.residentMiB) + ", \"modes\": {";
    for (size_t i = 0; i < 3; ++i) {
        const ModeFigures m = Mode(i);
        json += std::string(i > 0 ? ", " : "") + Quoted(MODE_NAMES[i]) +
                ": {\"frame_ms\": " + Number(m.frameMs) + ", \"stages\": {";
        for (size_t s = 0; s < 6; ++s)
            json += std::string(s > 0 ? ", " : "") + Quoted(STAGE_KEYS[s]) + ": " +
                    Number(m.stageMs[s]);
        json += "}, \"stage_run_frame_ms\": " + Number(m.stageRunFrameMs) + "}";
    }
    json += "}, \"live_views\": {";
    for (int v = NO_LIVE_VIEW; v < LIVE_VIEWS; ++v) {
        const LiveFigures live = Live(v);
        json += std::string(v > NO_LIVE_VIEW ? ", " : "") + Quoted(LiveViewKey(v)) +
                ": {\"frame_ms\": " + Number(live.frameMs) +
                ", \"max_frame_ms\": " + Number(live.maxFrameMs) +
                ", \"p99_frame_ms\": " + Number(live.p99FrameMs) + "}";
    }
    return json + "}}\n";
}
