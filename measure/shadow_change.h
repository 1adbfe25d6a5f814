#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "math/gmtl.h"
#include "measure/pixel_grid.h"

// How much the shadow term changes from one frame to the next on the same
// surface points, pooled over the frame pairs of a run.
class ShadowChange {
  public:
    // Adds one pair of frames: the shadow term of every pixel before and
    // after, and which pixels count (their surface point is seen in both).
    // The three grids have the same size.
    void AddPair(const PixelGrid<float>& before, const PixelGrid<float>& after,
                 const PixelGrid<uint8_t>& counted);

    // Mean absolute change over every counted pixel of every pair; 0 for none.
    double MeanAbsoluteChange() const;
    // The largest mean of a single pair.
    double WorstPairMean() const { return m_worstPair; }
    // Share of the counted pixels whose term changed by more than a half: a
    // pixel flipping between lit and shadowed.
    double FlipShare() const;
    size_t Pairs() const { return m_pairs; }
    size_t CountedPixels() const { return m_counted; }

  private:
    double m_sum = 0.0;
    double m_worstPair = 0.0;
    size_t m_counted = 0;
    size_t m_flips = 0;
    size_t m_pairs = 0;
};

// True when the world point lies inside the view volume of the camera whose
// projection times view matrix is given.
bool InsideView(const gmtl::Matrix44f& viewProjection, const gmtl::Vec3f& point);
