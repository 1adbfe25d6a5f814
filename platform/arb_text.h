// ARB program text under construction: lines, each remembering the position
// of the NV instruction it came from, so that an error the driver finds in
// the ARB text can be reported as a position in the NV text.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/nv_program.h"

namespace nvprog {

struct ArbText {
    std::string text;
    std::vector<std::size_t> nvPositions;  // one per line of text

    void Line(const std::string& line, std::size_t nvPosition);
    void Append(const ArbText& more);
    // The NV position of the line holding byte arbPosition of text.
    std::size_t NvPosition(std::size_t arbPosition) const;
};

// ".x", ".xzyw" or "" for the identity.
std::string SwizzleText(const Swizzle& swizzle);
// ".xy" or "" for all four components.
std::string MaskText(std::uint8_t mask);
// A float as the ARB grammar reads it back exactly; infinities become the
// largest finite float, NaN becomes 0.
std::string FloatText(float value);
// "{x, y, z, w}".
std::string VectorText(const std::array<float, 4>& value);
// The swizzle that reads outer's components from the result of inner.
Swizzle ComposeSwizzle(const Swizzle& inner, const Swizzle& outer);

// Temporaries (Temp or HalfTemp) that some instruction reads before every
// component it reads has been written unconditionally. NV programs start
// with all temporaries zero; ARB programs start with them undefined.
struct TempRef {
    RegFile file;
    int index;
    bool operator<(const TempRef& o) const {
        return file != o.file ? file < o.file : index < o.index;
    }
};
std::vector<TempRef> TempsReadBeforeWritten(const Program& program);
// Every temporary the program names, in order.
std::vector<TempRef> TempsUsed(const Program& program);

}  // namespace nvprog
