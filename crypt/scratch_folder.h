#pragma once

#include <cstddef>
#include <string>

// The scratch files into which containers are decrypted while an asset loads; a step that needs
// several files at once uses them in this order. They are ./data/temp0 to temp2 unless
// PlaceScratchFiles puts them elsewhere. Their text is settled before the first one is created
// and stays so; their addresses never change, so the static models' material tables and the
// registry of created files keep them.
inline constexpr int SCRATCH_FILE_COUNT = 3;
inline constexpr std::size_t SCRATCH_PATH_SIZE = 4096;
extern char SCRATCH_FILES[SCRATCH_FILE_COUNT][SCRATCH_PATH_SIZE];

// Called once at start-up, before anything is loaded. The scratch files go beside the containers
// (dataFolder/temp0 ...) when the data was not installed with the program and this process may
// create files in dataFolder. Otherwise they go into a folder of their own, readable by this
// user alone, made for this run under $XDG_RUNTIME_DIR, $TMPDIR or /tmp when the first one is
// needed, and removed when the program ends, by a signal too.
void PlaceScratchFiles(const std::string& dataFolder, bool installed);

// The folder that holds the scratch files, made now when it is a private folder not made yet.
// Raises "FileCrypt ERROR: Cannot create a scratch folder in <folder>: <reason>!" when none can
// be made.
const char* ScratchFolder();
