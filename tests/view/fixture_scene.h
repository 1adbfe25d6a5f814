#pragma once

#include "scene/scene.h"

// The scene the view tests render: a textured ground plane at y = 0 that
// receives shadows (drawn in the eye pass only) and upright boxes that cast
// them, some raised above the ground.
struct FixtureBox {
    float x, z;    // centre of the footprint
    float bottom;  // height of the lower face
    float size;    // footprint edge
    float height;
};

const FixtureBox* FixtureBoxes(int& count);

// Half the edge of the square ground plane, centred on the origin.
constexpr float FIXTURE_GROUND_HALF_SIZE = 150.0f;
