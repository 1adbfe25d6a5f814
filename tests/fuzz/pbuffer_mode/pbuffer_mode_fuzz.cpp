// Builds the depth target's attribute lists from arbitrary mode strings, then the GLX lists made
// from them. Each list must be name/value pairs with non-zero names, ended by 0, after the pairs
// every target starts with; at most four colour components are counted.
#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "gfx/pbuffer_glx_attribs.h"
#include "gfx/pbuffer_target.h"
#include "gfx/wgl_constants.h"

namespace {

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

void CheckPairs(const std::vector<int>& list, const std::vector<int>& start) {
    Require(list.size() % 2 == 1 && list.back() == 0);
    Require(std::equal(start.begin(), start.end(), list.begin()));
    for (std::size_t i = 0; i + 1 < list.size(); i += 2) {
        Require(list[i] != 0);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string mode(reinterpret_cast<const char*>(data), size);
    const PbufferTarget target(mode.c_str());
    CheckPairs(target.PixelFormatAttribs(),
               {WGL_DRAW_TO_PBUFFER_ARB, 1, WGL_SUPPORT_OPENGL_ARB, 1});
    CheckPairs(target.PbufferAttribs(), {WGL_PBUFFER_LARGEST_ARB, 1});
    Require(target.Components() >= 0 && target.Components() <= 4);

    const std::vector<int> config = GlxConfigAttribs(target.PixelFormatAttribs());
    Require(config.size() % 2 == 1 && config.back() == 0);
    const std::vector<int> pbuffer =
        GlxPbufferAttribs(target.PbufferAttribs(), 1024, 768, 512, 4096);
    Require(pbuffer.size() % 2 == 1 && pbuffer.back() == 0);
    GlxRenderType(target.PixelFormatAttribs());
    return 0;
}
