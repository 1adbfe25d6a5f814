#pragma once

#include <chrono>
#include <cstdint>

// Milliseconds of a monotonic clock, wrapping like a 32-bit tick count.
inline uint32_t GetTickCount() {
    using namespace std::chrono;
    return static_cast<uint32_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}
