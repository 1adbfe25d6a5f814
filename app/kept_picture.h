#pragma once

#include <functional>
#include <string>

#include "app/live_view_keys.h"
#include "measure/rgb_image.h"

// An opaque picture at a place in the window, drawn with OpenGL once and kept
// as pixels: later frames put the kept pixels back with one call, until its
// place or what it shows changes. For the keys, whose text costs a call per
// glyph.
class KeptPicture {
  public:
    // Puts the picture at place: the kept pixels when place and contents
    // (any text that tells what it shows) are as last time; otherwise draw()
    // draws it into the window's back buffer and what lies within place is
    // kept.
    void Draw(const WindowRect& place, const std::string& contents,
              const std::function<void()>& draw);

  private:
    WindowRect m_place;
    std::string m_contents;
    RgbImage m_pixels{0, 0};
};
