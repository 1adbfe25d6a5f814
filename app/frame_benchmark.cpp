#include "app/frame_benchmark.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

namespace {

const char* const MODES[3] = {"kvx-hq", "kvx", "ssm"};
const char* const MODE_NAMES[3] = {"KVX High Quality", "KVX", "SSM"};
constexpr size_t HQ = 0, KVX = 1, SSM = 2;
// The five-lookup program's lookups beyond the one of KVX.
constexpr int EXTRA_LOOKUPS = 4;

constexpr double FrameTimings::*STAGES[6] = {&FrameTimings::fitMs,      &FrameTimings::depthPassMs,
                                             &FrameTimings::handOverMs, &FrameTimings::scenePassMs,
                                             &FrameTimings::hudMs,      &FrameTimings::presentMs};

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

}  // namespace

double Median(std::vector<double> values) {
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : 0.5 * (values[n / 2 - 1] + values[n / 2]);
}

double StageMedian(const std::vector<FrameTimings>& frames, double FrameTimings::*stage) {
    std::vector<double> values;
    for (const FrameTimings& t : frames)
        values.push_back(t.*stage);
    return Median(values);
}

FrameBenchmark::FrameBenchmark() {
    for (int round = 0; round < ROUNDS + STAGE_ROUNDS; ++round) {
        for (size_t mode = 0; mode < 3; ++mode)
            m_blocks.push_back({mode, round >= ROUNDS, SWITCH_FRAMES});
    }
    m_blocks.front().dropped = WARM_UP_FRAMES;
}

const char* FrameBenchmark::CurrentMode() const {
    return m_block < m_blocks.size() ? MODES[m_blocks[m_block].mode] : nullptr;
}

bool FrameBenchmark::TimingStages() const {
    return m_block < m_blocks.size() && m_blocks[m_block].stages;
}

bool FrameBenchmark::AddFrame(double frameMs, const FrameTimings& timings) {
    if (m_block >= m_blocks.size())
        return false;
    const Block& block = m_blocks[m_block];
    Samples& s = m_samples[block.mode];
    if (++m_frame > block.dropped) {
        if (block.stages) {
            s.stageRunFrame.push_back(frameMs);
            s.stages.push_back(timings);
        } else {
            s.frame.push_back(frameMs);
        }
    }
    if (m_frame < block.dropped + BLOCK_FRAMES)
        return false;
    ++m_block;
    m_frame = 0;
    return true;
}

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
    double frames[3] = {};
    double handOver[3] = {};
    for (size_t i = 0; i < 3; ++i) {
        const Samples& s = m_samples[i];
        frames[i] = Median(s.frame);
        std::string line = Format("%-17s %9.3f %7.1f |", MODE_NAMES[i], frames[i],
                                  frames[i] > 0.0 ? 1000.0 / frames[i] : 0.0);
        double sum = 0.0;
        for (double FrameTimings::*stage : STAGES) {
            const double median = StageMedian(s.stages, stage);
            sum += median;
            line += Format(" %9.3f", median);
        }
        handOver[i] = StageMedian(s.stages, &FrameTimings::handOverMs);
        const double stageRunFrame = Median(s.stageRunFrame);
        report +=
            line + Format(" | %9.3f %9.3f (sum %.0f%% of it, %.0f%% of frame)\n", sum,
                          stageRunFrame, Percent(sum, stageRunFrame), Percent(sum, frames[i]));
    }
    report += Format("Hand-over: %.1f%% of the SSM frame, %.1f%% of the KVX frame\n",
                     Percent(handOver[SSM], frames[SSM]), Percent(handOver[KVX], frames[KVX]));
    report += Format("KVX frame / SSM frame: %.3f\n", Ratio(frames[KVX], frames[SSM]));
    report +=
        Format("KVX High Quality over KVX: %.3f ms a frame, %.3f ms per extra lookup (%d)\n",
               frames[HQ] - frames[KVX], (frames[HQ] - frames[KVX]) / EXTRA_LOOKUPS, EXTRA_LOOKUPS);
    return report;
}
