#pragma once

// The scratch files into which containers are decrypted while an asset loads;
// a step that needs several files at once uses them in this order.
inline constexpr int SCRATCH_FILE_COUNT = 3;
inline constexpr const char* SCRATCH_FILES[SCRATCH_FILE_COUNT] = {"./data/temp0", "./data/temp1",
                                                                  "./data/temp2"};

// Removes a scratch file; raises a runtime error naming the path when the file
// exists but cannot be removed.
void RemoveScratchFile(const char* path);

// Removes whichever scratch files exist, ignoring failures: the clean-up after
// a loading error.
void DeleteScratchFiles();
