#pragma once

// The sound library's calls, with FMOD 3's names and argument lists, played through SDL2_mixer.
// The library is process-wide: FSOUND_Init opens the audio device, FSOUND_Close closes it.

struct FSOUND_SAMPLE;

using FSOUND_ALLOCCALLBACK = void* (*)(unsigned int size);
using FSOUND_REALLOCCALLBACK = void* (*)(void* ptr, unsigned int size);
using FSOUND_FREECALLBACK = void (*)(void* ptr);

// Channel and sample indices.
constexpr int FSOUND_FREE = -1;
constexpr int FSOUND_UNMANAGED = -2;

// Output types.
constexpr int FSOUND_OUTPUT_WINMM = 1;

// Initialisation flags.
constexpr unsigned int FSOUND_INIT_USEDEFAULTMIDISYNTH = 0x01;

// Sample mode bits.
constexpr unsigned int FSOUND_LOOP_OFF = 0x00000001;
constexpr unsigned int FSOUND_LOOP_NORMAL = 0x00000002;
constexpr unsigned int FSOUND_16BITS = 0x00000010;
constexpr unsigned int FSOUND_MONO = 0x00000020;
constexpr unsigned int FSOUND_SIGNED = 0x00000100;
constexpr unsigned int FSOUND_HW2D = 0x00080000;
constexpr unsigned int FSOUND_LOADMEMORY = 0x00008000;

// Before FSOUND_Init only; false once the library runs. The audio driver is SDL's choice
// (SDL_AUDIODRIVER), so the output type and the driver index select nothing.
bool FSOUND_SetOutput(int outputtype);
bool FSOUND_SetDriver(int driver);

// Before FSOUND_Init only. Accepts a block (pool with a positive length) or no block at all; the
// caller keeps the block until FSOUND_Close. The mixer allocates through SDL, so the block and
// the callbacks stay unused.
bool FSOUND_SetMemorySystem(void* pool, int poollen, FSOUND_ALLOCCALLBACK useralloc,
                            FSOUND_REALLOCCALLBACK userrealloc, FSOUND_FREECALLBACK userfree);

// Opens the audio device at the mixing rate with that many channels; false when the device
// cannot be opened or the library already runs. The flags select nothing here.
bool FSOUND_Init(int mixrate, int maxsoftwarechannels, unsigned int flags);

// Stops every channel and closes the audio device. Samples stay the caller's to free.
void FSOUND_Close();

// Reads the whole sound file (WAV, or any format SDL2_mixer decodes) into memory, so the file may
// be deleted at once. With FSOUND_LOADMEMORY in the mode, name_or_data is not a file name but
// the file's length bytes in memory, which the call only reads. Samples are always the caller's
// (index FSOUND_UNMANAGED) and always whole files (offset 0; length 0 for a file by name). The
// loop bits of the mode apply; the format bits are taken from the file itself. Null when the
// library is not running or the file cannot be read.
FSOUND_SAMPLE* FSOUND_Sample_Load(int index, const char* name_or_data, unsigned int inputmode,
                                  int offset, int length);

// The rate the output is mixed at, samples a second: what FSOUND_Init asked for unless the
// device offers only another. Zero when the library is not running.
int FSOUND_GetOutputRate();

// Sets the loop mode (FSOUND_LOOP_OFF or FSOUND_LOOP_NORMAL) for later playback.
bool FSOUND_Sample_SetMode(FSOUND_SAMPLE* sptr, unsigned int mode);

// Halts the channels that play the sample and releases it. Null is ignored.
void FSOUND_Sample_Free(FSOUND_SAMPLE* sptr);

// Starts the sample on the given channel, or with FSOUND_FREE on the lowest free channel, and
// returns the channel; -1 when it cannot start (library not running, no free channel).
int FSOUND_PlaySound(int channel, FSOUND_SAMPLE* sptr);

// Pauses or resumes one channel; false for a channel that does not exist.
bool FSOUND_SetPaused(int channel, bool paused);
