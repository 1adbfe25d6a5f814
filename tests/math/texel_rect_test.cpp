#include "math/texel_rect.h"

#include <gtest/gtest.h>

#include "math/aabox.h"

namespace {

TEST(TexelRect, UnionAndIntersection) {
    const TexelRect a{0, 0, 10, 10}, b{5, 8, 20, 12}, empty{3, 3, 3, 9};
    EXPECT_EQ(Union(a, b), (TexelRect{0, 0, 20, 12}));
    EXPECT_EQ(Union(a, empty), a);
    EXPECT_EQ(Union(empty, b), b);
    EXPECT_EQ(Intersection(a, b), (TexelRect{5, 8, 10, 10}));
    EXPECT_TRUE(Intersection(a, TexelRect{10, 0, 20, 10}).IsEmpty());
}

// The i-th of each list go together; the longer list's rest follows.
TEST(TexelRect, PairwiseUnionKeepsPlaces) {
    const std::vector<TexelRect> now = {{0, 0, 2, 2}, {}, {8, 8, 9, 9}};
    const std::vector<TexelRect> last = {{1, 1, 4, 4}, {5, 5, 6, 6}};
    const std::vector<TexelRect> both = PairwiseUnion(now, last);
    ASSERT_EQ(both.size(), 3u);
    EXPECT_EQ(both[0], (TexelRect{0, 0, 4, 4}));
    EXPECT_EQ(both[1], (TexelRect{5, 5, 6, 6}));
    EXPECT_EQ(both[2], (TexelRect{8, 8, 9, 9}));
    EXPECT_EQ(PairwiseUnion(last, now).size(), 3u);
}

// The empty box holds nothing: extending it by a point gives that point, not
// the span from the origin.
TEST(AABox, ExtendingTheEmptyBox) {
    gmtl::AABoxf box;
    EXPECT_TRUE(box.isEmpty());
    gmtl::extendVolume(box, gmtl::AABoxf());
    EXPECT_TRUE(box.isEmpty());
    gmtl::extendVolume(box, gmtl::Vec3f(5, 6, 7));
    EXPECT_FALSE(box.isEmpty());
    EXPECT_EQ(box.getMin(), gmtl::Vec3f(5, 6, 7));
    EXPECT_EQ(box.getMax(), gmtl::Vec3f(5, 6, 7));
    gmtl::extendVolume(box, gmtl::AABoxf(gmtl::Vec3f(-1, 6.5f, 9), gmtl::Vec3f(0, 7, 10)));
    EXPECT_EQ(box.getMin(), gmtl::Vec3f(-1, 6, 7));
    EXPECT_EQ(box.getMax(), gmtl::Vec3f(5, 7, 10));
}

}  // namespace
