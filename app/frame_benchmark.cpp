#include "app/frame_benchmark.h"

#include <algorithm>
#include <cstdio>

namespace {

const char* const MODES[3] = {"kvx-hq", "kvx", "ssm"};
const char* const MODE_NAMES[3] = {"KVX High Quality", "KVX", "SSM"};

}  // namespace

double Median(std::vector<double> values) {
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : 0.5 * (values[n / 2 - 1] + values[n / 2]);
}

const char* FrameBenchmark::CurrentMode() const {
    return m_mode < 3 ? MODES[m_mode] : nullptr;
}

bool FrameBenchmark::AddFrame(double frameMs, const FrameTimings& timings) {
    if (m_mode >= 3)
        return false;
    if (++m_frame > WARM_UP_FRAMES) {
        Samples& s = m_samples[m_mode];
        s.frame.push_back(frameMs);
        s.fit.push_back(timings.fitMs);
        s.copy.push_back(timings.depthCopyMs);
    }
    if (m_frame < WARM_UP_FRAMES + MEASURED_FRAMES)
        return false;
    ++m_mode;
    m_frame = 0;
    return true;
}

std::string FrameBenchmark::Report() const {
    std::string report;
    for (size_t i = 0; i < 3; ++i) {
        const Samples& s = m_samples[i];
        const double frame = Median(s.frame);
        char line[256];
        std::snprintf(line, sizeof line,
                      "%-17s median frame %8.3f ms (%6.1f fps), trapezoid fit %7.4f ms, "
                      "depth copy %7.3f ms, %zu frames\n",
                      MODE_NAMES[i], frame, frame > 0.0 ? 1000.0 / frame : 0.0, Median(s.fit),
                      Median(s.copy), s.frame.size());
        report += line;
    }
    return report;
}
