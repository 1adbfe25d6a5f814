#include "app/frame_benchmark.h"

#include <algorithm>

namespace {

const char* const MODES[3] = {"kvx-hq", "kvx", "ssm"};
constexpr size_t HQ = 0;

// None, then the View menu's live views in its order.
const char* const LIVE_KEYS[FrameBenchmark::LIVE_VIEWS + 1] = {"none", "inset", "heat", "readout"};

constexpr double FrameTimings::*STAGES[6] = {&FrameTimings::fitMs,      &FrameTimings::depthPassMs,
                                             &FrameTimings::handOverMs, &FrameTimings::scenePassMs,
                                             &FrameTimings::hudMs,      &FrameTimings::presentMs};

}  // namespace

const char* LiveViewKey(int v) {
    return LIVE_KEYS[v + 1];
}

double Median(std::vector<double> values) {
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : 0.5 * (values[n / 2 - 1] + values[n / 2]);
}

double FramePercentile(std::vector<double> values, double p) {
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    const double rank = std::clamp(p, 0.0, 100.0) / 100.0 * static_cast<double>(values.size() - 1);
    const size_t below = static_cast<size_t>(rank);
    const size_t above = std::min(below + 1, values.size() - 1);
    return values[below] + (rank - static_cast<double>(below)) * (values[above] - values[below]);
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
            m_blocks.push_back(
                {mode, round >= ROUNDS, false, NO_LIVE_VIEW, SWITCH_FRAMES, BLOCK_FRAMES});
    }
    for (int round = 0; round < LIVE_ROUNDS; ++round) {
        for (int view = NO_LIVE_VIEW; view < LIVE_VIEWS; ++view)
            m_blocks.push_back({HQ, false, true, view, SWITCH_FRAMES, LIVE_BLOCK_FRAMES});
    }
    m_blocks.front().dropped = WARM_UP_FRAMES;
    for (const Block& block : m_blocks)
        m_totalFrames += static_cast<size_t>(block.dropped + block.frames);
}

const char* FrameBenchmark::CurrentMode() const {
    return m_block < m_blocks.size() ? MODES[m_blocks[m_block].mode] : nullptr;
}

bool FrameBenchmark::TimingStages() const {
    return m_block < m_blocks.size() && m_blocks[m_block].stages;
}

int FrameBenchmark::LiveView() const {
    return m_block < m_blocks.size() ? m_blocks[m_block].liveView : NO_LIVE_VIEW;
}

std::string FrameBenchmark::BlockName() const {
    if (m_block >= m_blocks.size())
        return "";
    const Block& block = m_blocks[m_block];
    const std::string mode = MODES[block.mode];
    if (block.live)
        return mode + ", " + LiveViewKey(block.liveView);
    return block.stages ? mode + ", stage times" : mode;
}

bool FrameBenchmark::AddFrame(double frameMs, const FrameTimings& timings) {
    if (m_block >= m_blocks.size())
        return false;
    ++m_framesDone;
    const Block& block = m_blocks[m_block];
    Samples& s = m_samples[block.mode];
    if (++m_frame > block.dropped) {
        if (block.live) {
            m_liveFrames[block.liveView + 1].push_back(frameMs);
        } else if (block.stages) {
            s.stageRunFrame.push_back(frameMs);
            s.stages.push_back(timings);
        } else {
            s.frame.push_back(frameMs);
        }
    }
    if (m_frame < block.dropped + block.frames)
        return false;
    ++m_block;
    m_frame = 0;
    return true;
}

FrameBenchmark::ModeFigures FrameBenchmark::Mode(size_t mode) const {
    const Samples& s = m_samples[mode];
    ModeFigures figures{Median(s.frame), {}, 0.0, Median(s.stageRunFrame)};
    for (size_t i = 0; i < 6; ++i) {
        figures.stageMs[i] = StageMedian(s.stages, STAGES[i]);
        figures.stageSumMs += figures.stageMs[i];
    }
    return figures;
}

FrameBenchmark::LiveFigures FrameBenchmark::Live(int v) const {
    const std::vector<double>& frames = m_liveFrames[v + 1];
    return {Median(frames), frames.empty() ? 0.0 : *std::max_element(frames.begin(), frames.end()),
            FramePercentile(frames, 99.0)};
}
