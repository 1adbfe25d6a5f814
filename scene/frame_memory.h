#pragma once

#include <cstddef>
#include <memory>

// One block of floats for all the interpolated frames of a model, mapped on its
// own and marked for the kernel's transparent huge pages: the frames are most
// of the program's memory, and touching them page by page made the page faults
// the largest cost of the start-up. Raises std::bad_alloc when the memory
// cannot be mapped.
class FrameMemory {
  public:
    FrameMemory() = default;
    explicit FrameMemory(size_t floats);

    float* Data() const { return m_pBlock.get(); }

  private:
    struct Unmap {
        size_t bytes;
        void operator()(float* block) const;
    };
    std::unique_ptr<float, Unmap> m_pBlock;
};
