#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "scene/static_model.h"

// The faces of one material run: m_iCount faces from face m_iFirst on.
struct FaceRange {
    int32_t m_iFirst;
    int32_t m_iCount;
};

// One range per material, in material order; each run follows the previous.
std::vector<FaceRange> FaceRuns(const StaticModel& model);

// Checks a model's tables before they are drawn: material and run tables
// present, run counts that add up to the face count, every material with an
// image file, every face index within its table. On failure returns false with
// the reason in error.
bool CheckStaticModel(const StaticModel& model, std::string& error);
