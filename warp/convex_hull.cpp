#include "warp/convex_hull.h"

#include <cmath>

namespace {

struct HullRecord {
    float x;
    float y;
    bool available;
};

bool Greater(const HullRecord& a, const HullRecord& b) {
    if (std::fabs(a.x - b.x) < ConvexHull2D::EPSILON)
        return a.y > b.y;
    return a.x > b.x;
}

// Descending order; each record moves in front of every earlier record that
// is not greater than it, so equal records end up in reverse input order.
std::vector<HullRecord> SortDescending(const Point2D* points, unsigned count) {
    std::vector<HullRecord> sorted;
    sorted.reserve(count);
    for (unsigned i = 0; i < count; ++i) {
        const HullRecord record{points[i][0], points[i][1], true};
        size_t slot = sorted.size();
        while (slot > 0 && !Greater(sorted[slot - 1], record))
            --slot;
        sorted.insert(sorted.begin() + static_cast<std::ptrdiff_t>(slot), record);
    }
    return sorted;
}

// B is dropped unless A, B, P make a left turn by more than the tolerance.
bool DropsMiddle(const HullRecord& a, const HullRecord& b, const HullRecord& p) {
    const float e = (b.y - a.y) * (p.x - a.x) - (p.y - a.y) * (b.x - a.x);
    return std::fabs(e) < ConvexHull2D::EPSILON || e >= 0.0f;
}

}  // namespace

ConvexHull2D::ConvexHull2D(const Point2D* points, unsigned count) {
    std::vector<HullRecord> s = SortDescending(points, count);
    const size_t n = s.size();
    if (n < 2) {
        for (const HullRecord& r : s)
            m_points.push_back(Point2D(r.x, r.y));
        m_iCount = static_cast<int>(m_points.size());
        return;
    }

    // First chain: from the largest point along the upper side.
    std::vector<size_t> first = {0, 1};
    s[1].available = false;
    for (size_t i = 2; i < n; ++i) {
        while (first.size() >= 2 &&
               DropsMiddle(s[first[first.size() - 2]], s[first.back()], s[i])) {
            s[first.back()].available = true;
            first.pop_back();
        }
        s[i].available = false;
        first.push_back(i);
    }

    // Second chain: back along the lower side over the points still available.
    std::vector<size_t> second;
    for (size_t i = n - 1; i-- > 0;) {
        if (!s[i].available)
            continue;
        while (!second.empty()) {
            const size_t a = second.size() >= 2 ? second[second.size() - 2] : first.back();
            if (!DropsMiddle(s[a], s[second.back()], s[i]))
                break;
            second.pop_back();
        }
        second.push_back(i);
    }
    second.pop_back();

    for (size_t i : first)
        m_points.push_back(Point2D(s[i].x, s[i].y));
    for (size_t i : second)
        m_points.push_back(Point2D(s[i].x, s[i].y));
    m_iCount = static_cast<int>(m_points.size());
}
