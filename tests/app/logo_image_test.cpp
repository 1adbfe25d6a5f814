#include "app/logo_image.h"

#include <FL/Fl_RGB_Image.H>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <set>
#include <vector>

namespace {

TEST(LogoImage, IsA100By51ColourPictureInAFewColours) {
    const std::vector<unsigned char> pixels = LogoPixels();
    ASSERT_EQ(pixels.size(), std::size_t(LOGO_WIDTH * LOGO_HEIGHT * 3));
    std::set<std::array<unsigned char, 3>> colours;
    for (std::size_t i = 0; i < pixels.size(); i += 3)
        colours.insert({pixels[i], pixels[i + 1], pixels[i + 2]});
    EXPECT_GE(colours.size(), 4u);
    EXPECT_LE(colours.size(), 8u);
}

TEST(LogoImage, ImageOwnsACopyOfThePixels) {
    const auto image = CreateLogoImage();
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->w(), 100);
    EXPECT_EQ(image->h(), 51);
    EXPECT_EQ(image->d(), 3);
    EXPECT_TRUE(image->alloc_array);
    const std::vector<unsigned char> pixels = LogoPixels();
    const auto* data = reinterpret_cast<const unsigned char*>(image->data()[0]);
    EXPECT_TRUE(std::equal(pixels.begin(), pixels.end(), data));
}

}  // namespace
