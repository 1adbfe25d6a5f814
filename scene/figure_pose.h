#pragma once

#include <array>

// The scene's animated figures, each drawn from two MD2 models, a then b.
constexpr int FIGURE_COUNT = 5;

// What fixes a figure's picture: the frame of its cycle each of its two
// models shows. A cycle's frames are interpolated between the key frames
// once, when the models load, so the frame number fixes the key frames and
// the interpolation between them.
struct FigurePose {
    int frameA = 0;
    int frameB = 0;

    bool operator==(const FigurePose& other) const {
        return frameA == other.frameA && frameB == other.frameB;
    }
};

// Every figure's pose, in the scene's order of figures.
using FigurePoseSet = std::array<FigurePose, FIGURE_COUNT>;
