#include "scene/draw_order.h"

#include <gtest/gtest.h>

namespace {

// An object whose unit box, moved by offset, has its centre at (x, 0.5, 0.5).
CasterBounds At(float x) {
    CasterBounds object;
    gmtl::setTrans(object.world, gmtl::Vec3f(x - 0.5f, 0.0f, 0.0f));
    object.box = gmtl::AABoxf(gmtl::Vec3f(0, 0, 0), gmtl::Vec3f(1, 1, 1));
    return object;
}

// Distances are taken to each box's centre in the world, through its matrix;
// an object that draws nothing counts as at the eye, and equal distances keep the
// listed order.
TEST(NearestFirst, OrdersByDistanceOfTheCentreInTheWorld) {
    const std::vector<CasterBounds> objects = {At(10), At(-3), CasterBounds(), At(4), At(3)};
    const struct {
        float eyeX;
        std::vector<size_t> order;
    } cases[] = {
        {0.0f, {2, 1, 4, 3, 0}},
        {20.0f, {2, 0, 3, 4, 1}},
        {-3.0f, {1, 2, 4, 3, 0}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NearestFirst(objects, gmtl::Vec3f(c.eyeX, 0.5f, 0.5f)), c.order) << c.eyeX;
}

}  // namespace
