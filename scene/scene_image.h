#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// An image read through DevIL. The image is created and bound in DevIL for the
// object's lifetime and deleted with it, so the texture builders that read
// "the image bound in DevIL" see this one.
class SceneImage {
  public:
    SceneImage();
    ~SceneImage();
    SceneImage(const SceneImage&) = delete;
    SceneImage& operator=(const SceneImage&) = delete;

    // A header of a few hundred bytes can claim gigabytes of pixels, and the
    // image library's sizes wrap past 4 GiB: an image is refused from its
    // header above this (4096 x 4096; the scene's largest is 512 x 512).
    static constexpr std::uint64_t MAX_PIXELS = 4096 * 4096;
    // A progressive image is decoded once per scan: a few hundred kilobytes
    // of repeated scans keep the decoder busy for minutes. The encoders'
    // progressive scripts use ten scans at most.
    static constexpr std::size_t MAX_SCANS = 100;
    // The largest file read: the largest container there may be.
    static constexpr std::size_t MAX_FILE_BYTES = std::size_t{256} << 20;

    // Reads path as a JPEG file (the type is given, not detected), with rows
    // in the order they are stored. The file is read once into memory and
    // the image library decodes those bytes, the same ones the checks saw,
    // whatever happens to the path meanwhile. False when DevIL cannot read
    // it, or when its header claims more than MAX_PIXELS or it has more than
    // MAX_SCANS scans; RefusedSize then says so.
    bool Load(const char* path);
    // The same for a JPEG file held in memory.
    bool Load(const std::uint8_t* bytes, std::size_t size);
    // Why the last Load refused the image for the size of its decoding,
    // worded to follow "the image is": "W x H pixels, more than ...", or
    // "made of N scans, more than ..."; "" when it did not.
    const std::string& RefusedSize() const { return m_refusedSize; }
    // True when the pixels are 8-bit RGB, 3 bytes per pixel.
    bool IsRgb8() const;
    int Width() const;
    int Height() const;
    const uint8_t* Data() const;

  private:
    unsigned int m_uName = 0;
    std::string m_refusedSize;
};

// Turns the image bound in DevIL into 8-bit RGB if it is not already; false
// when DevIL cannot.
bool ConvertBoundImageToRgb8();
