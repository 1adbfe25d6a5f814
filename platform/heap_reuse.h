#pragma once

// Keeps memory the process frees for its own reuse instead of giving it back
// to the kernel at once. The software renderer allocates and frees buffers of
// several MiB every frame; with the C library's default thresholds the top of
// the heap is handed back after each frame and faulted in again, zero-filled,
// in the next (about 1500 page faults a frame at 800 x 600), which cost more
// than the frame's own drawing. Call once, at the start of the program.
void KeepFreedMemoryForReuse();
