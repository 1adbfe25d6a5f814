#include "scene/draw_order.h"

#include <algorithm>
#include <numeric>

namespace {

float SquaredDistance(const CasterBounds& object, const gmtl::Vec3f& eye) {
    if (object.box.isEmpty())
        return 0.0f;
    const gmtl::Vec3f centre = (object.box.getMin() + object.box.getMax()) * 0.5f;
    const gmtl::Vec4f world = object.world * gmtl::Vec4f(centre[0], centre[1], centre[2], 1.0f);
    float sum = 0.0f;
    for (unsigned axis = 0; axis < 3; ++axis)
        sum += (world[axis] - eye[axis]) * (world[axis] - eye[axis]);
    return sum;
}

}  // namespace

std::vector<size_t> NearestFirst(const std::vector<CasterBounds>& objects, const gmtl::Vec3f& eye) {
    std::vector<float> distances;
    for (const CasterBounds& object : objects)
        distances.push_back(SquaredDistance(object, eye));
    std::vector<size_t> order(objects.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return distances[a] < distances[b]; });
    return order;
}
