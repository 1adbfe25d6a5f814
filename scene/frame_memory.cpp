#include "scene/frame_memory.h"

#include <sys/mman.h>

#include <new>

FrameMemory::FrameMemory(size_t floats) {
    if (floats == 0)
        return;
    const size_t bytes = floats * sizeof(float);
    void* block = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (block == MAP_FAILED)
        throw std::bad_alloc();
    madvise(block, bytes, MADV_HUGEPAGE);
    m_pBlock = std::unique_ptr<float, Unmap>(static_cast<float*>(block), Unmap{bytes});
}

void FrameMemory::Unmap::operator()(float* block) const {
    munmap(block, bytes);
}
