#pragma once

#include <cstdint>

// An image read through DevIL. The image is created and bound in DevIL for the
// object's lifetime and deleted with it, so the texture builders that read
// "the image bound in DevIL" see this one.
class SceneImage {
  public:
    SceneImage();
    ~SceneImage();
    SceneImage(const SceneImage&) = delete;
    SceneImage& operator=(const SceneImage&) = delete;

    // Reads path as a JPEG file (the type is given, not detected), with rows
    // in the order they are stored. False when DevIL cannot read it.
    bool Load(const char* path);
    // True when the pixels are 8-bit RGB, 3 bytes per pixel.
    bool IsRgb8() const;
    int Width() const;
    int Height() const;
    const uint8_t* Data() const;

  private:
    unsigned int m_uName = 0;
};

// Turns the image bound in DevIL into 8-bit RGB if it is not already; false
// when DevIL cannot.
bool ConvertBoundImageToRgb8();
