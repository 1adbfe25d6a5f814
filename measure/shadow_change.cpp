#include "measure/shadow_change.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float FLIP = 0.5f;

}  // namespace

void ShadowChange::AddPair(const PixelGrid<float>& before, const PixelGrid<float>& after,
                           const PixelGrid<uint8_t>& counted) {
    double sum = 0.0;
    size_t count = 0;
    for (size_t i = 0; i < counted.values.size(); ++i) {
        if (!counted.values[i])
            continue;
        const float change = std::fabs(after.values[i] - before.values[i]);
        sum += change;
        ++count;
        if (change > FLIP)
            ++m_flips;
    }
    ++m_pairs;
    m_sum += sum;
    m_counted += count;
    if (count > 0)
        m_worstPair = std::max(m_worstPair, sum / static_cast<double>(count));
}

double ShadowChange::MeanAbsoluteChange() const {
    return m_counted > 0 ? m_sum / static_cast<double>(m_counted) : 0.0;
}

double ShadowChange::FlipShare() const {
    return m_counted > 0 ? static_cast<double>(m_flips) / static_cast<double>(m_counted) : 0.0;
}

bool InsideView(const gmtl::Matrix44f& viewProjection, const gmtl::Vec3f& point) {
    const gmtl::Vec4f c = viewProjection * gmtl::Vec4f(point[0], point[1], point[2], 1.0f);
    const float w = c[3];
    return w > 0.0f && std::fabs(c[0]) <= w && std::fabs(c[1]) <= w && std::fabs(c[2]) <= w;
}
