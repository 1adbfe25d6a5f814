#pragma once

#include <string>
#include <utility>
#include <vector>

#include "tools/bake/md2_file.h"

namespace bake {

// Keeps the frames of one animation (frames whose name is `animation` followed by digits), at
// most `maxFrames` of them, renamed `rename`01, `rename`02, ... so that the loader finds them
// as one animation numbered from 1. Raises std::runtime_error when no frame matches.
Md2Mesh KeepAnimation(const Md2Mesh& mesh, const std::string& animation, const std::string& rename,
                      std::size_t maxFrames);

// Scales the mesh uniformly so that its first frame is `height` tall (along z), and moves it so
// that its lowest point over all frames lies at z = 0 and its first frame is centred on the z
// axis: the model then stands on its origin.
void StandOnOrigin(Md2Mesh& mesh, float height);

// Splits the mesh into the chosen triangles and the others. Each part keeps only the vertices
// and texture coordinates its triangles use; drawn together at one place, the parts make the
// whole model.
std::pair<Md2Mesh, Md2Mesh> SplitTriangles(const Md2Mesh& mesh, const std::vector<bool>& chosen);

// Splits the mesh into the triangles whose centre, in the first frame, lies below the given
// fraction of its height and the others.
std::pair<Md2Mesh, Md2Mesh> SplitAtHeight(const Md2Mesh& mesh, float fraction);

}  // namespace bake
