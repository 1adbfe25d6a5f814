#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "tests/scene/jpeg_image.h"

// The one colour of the image in a scene container, different for every
// image container: the height image T001 is (120, 0, 0), its red the height;
// the others mix red and green by their number.
std::array<uint8_t, 3> ImageColour(int container);

// The plain assets of the 29 scene containers, small enough to load fast and
// each different from the others, so that a container fed to the wrong object
// shows: a 5 x 4 height image, a 5 x 3 terrain image, 4 x 4 material images
// and 8 x 8 skins, each image in its ImageColour; for every figure the
// stand/run MD2 model moved along x by its container's number. Tests replace
// or leave out single containers, then write them all encrypted as the
// program expects them.
class SceneData {
  public:
    SceneData();

    void Set(int container, std::vector<uint8_t> plain);
    void Remove(int container);
    // Writes <dataDir>/TNNN.dat for every container, under the program's key.
    void WriteContainers(const std::string& dataDir) const;

  private:
    std::map<int, std::vector<uint8_t>> m_plain;
};

// The containers of the scene's ten MD2 files, in loading order; each model's
// skin is in the next container.
inline constexpr int MD2_CONTAINERS[] = {3, 5, 7, 9, 11, 13, 15, 17, 26, 28};
