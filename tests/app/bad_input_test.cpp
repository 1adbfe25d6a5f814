// The real program run from a folder of its own whose ./data/ holds the baked containers with
// one thing wrong, or without a display or a sound device: what the user is told, how the
// program ends, and that no scratch file stays behind. A driver without the needed extensions
// is covered in demo_program_test.cpp.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "tests/crypt/crypt_test_util.h"
#include "tests/scene/jpeg_image.h"
#include "tests/scene/libjpeg_image.h"
#include "tests/support/run_program.h"

namespace {

namespace fs = std::filesystem;

constexpr int CONTAINER_COUNT = 35;
constexpr char KEY[] = "r&e&v&o";  // the program's container key

std::string ContainerName(int container) {
    char name[32];
    std::snprintf(name, sizeof name, "T%03d.dat", container);
    return name;
}

// A working folder whose ./data/ links to every baked container until a case changes one.
class RunFolder {
  public:
    RunFolder() {
        fs::create_directory(Data());
        for (int c = 1; c <= CONTAINER_COUNT; ++c)
            fs::create_symlink(Baked(c), Container(c));
    }

    std::string Root() const { return m_dir.Path(""); }
    std::string Data() const { return m_dir.Path("data"); }
    std::string Container(int c) const { return Data() + "/" + ContainerName(c); }
    static std::string Baked(int c) {
        return std::string(KVX_SOURCE_DIR) + "/data/" + ContainerName(c);
    }

    // Whatever the data folder holds, by name; empty when there is no such folder.
    std::set<std::string> DataEntries() const {
        std::set<std::string> names;
        std::error_code error;
        for (const fs::directory_entry& entry : fs::directory_iterator(Data(), error))
            names.insert(entry.path().filename().string());
        return names;
    }

    void Remove(int c) const { fs::remove(Container(c)); }

    void Append(int c, const Bytes& extra) const {
        Bytes bytes = ReadBytes(Baked(c));
        bytes.insert(bytes.end(), extra.begin(), extra.end());
        fs::remove(Container(c));
        WriteBytes(Container(c), bytes);
    }

    void Truncate(int c, std::size_t cut) const {
        Bytes bytes = ReadBytes(Baked(c));
        bytes.resize(bytes.size() - cut);
        fs::remove(Container(c));
        WriteBytes(Container(c), bytes);
    }

    // Decrypts the baked container with kvx-pack, lets edit change the asset and packs it
    // again under key.
    void Repack(int c, const std::string& key, const std::function<void(Bytes&)>& edit) const {
        const std::string plain = m_dir.Path("plain");
        Pack({"decrypt", Baked(c), plain});
        Bytes asset = ReadBytes(plain);
        edit(asset);
        WriteBytes(plain, asset);
        fs::remove(Container(c));
        Pack({"encrypt", plain, Container(c), "--key", key});
        fs::remove(plain);
    }

  private:
    void Pack(const std::vector<std::string>& args) const {
        const ProgramRun run = RunProgram(KVX_PACK, args, Root());
        ASSERT_EQ(run.exitCode, 0) << run.err;
    }

    TempDir m_dir;
};

// An MD2 file's header is 17 little-endian int32; the frame count is the eleventh.
void SetMd2FrameCount(Bytes& md2, std::int32_t count) {
    std::memcpy(md2.data() + 10 * sizeof count, &count, sizeof count);
}

// The JPEG with its frame header claiming width x height pixels: a few hundred bytes that would
// decode to gigabytes.
Bytes ClaimingSize(Bytes jpeg, std::uint16_t width, std::uint16_t height) {
    for (std::size_t i = 0; i + 8 < jpeg.size(); ++i) {
        if (jpeg[i] == 0xff && (jpeg[i + 1] == 0xc0 || jpeg[i + 1] == 0xc2)) {
            jpeg[i + 5] = height >> 8;
            jpeg[i + 6] = height & 0xff;
            jpeg[i + 7] = width >> 8;
            jpeg[i + 8] = width & 0xff;
            break;
        }
    }
    return jpeg;
}

// A plain PCM WAVE file of frames silent 16-bit mono samples at rate.
Bytes SilentWav(std::uint32_t rate, std::uint32_t frames) {
    Bytes wav(44 + 2 * std::size_t{frames});
    const auto put = [&wav](std::size_t at, std::uint32_t value, int size) {
        for (int i = 0; i < size; ++i)
            wav[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
    };
    std::memcpy(wav.data(), "RIFF", 4);
    put(4, 36 + 2 * frames, 4);
    std::memcpy(wav.data() + 8, "WAVEfmt ", 8);
    put(16, 16, 4);
    put(20, 1, 2);  // PCM
    put(22, 1, 2);  // mono
    put(24, rate, 4);
    put(28, 2 * rate, 4);
    put(32, 2, 2);
    put(34, 16, 2);
    std::memcpy(wav.data() + 36, "data", 4);
    put(40, 2 * frames, 4);
    return wav;
}

// A display number with no server behind it.
std::string NoDisplay() {
    int n = 900;
    while (fs::exists("/tmp/.X11-unix/X" + std::to_string(n)))
        ++n;
    return "DISPLAY=:" + std::to_string(n);
}

struct BadInput {
    const char* what;
    std::function<void(RunFolder&)> spoil;
    std::vector<std::string> env;
    int exitCode;
    std::string err;  // all the program prints on standard error
    std::function<void(const RunFolder&)> check = [](const RunFolder&) {};
};

// The message when neither ./data nor the data installed with the program is there.
std::string NoDataFound() {
    const fs::path installed =
        fs::canonical(KVX_DEMO).parent_path().parent_path() / "share/kvx-demo/data";
    return "No scene data found: looked for T001.dat in ./data (below the working folder) and in " +
           installed.string() +
           " (installed with the program). Start the demo from the folder that holds data/, name "
           "the data folder with --data DIR, or install the demo (make install) so that "
           "PREFIX/share/kvx-demo/data holds it beside PREFIX/bin/kvx-demo.\n";
}

// The message for an entry found standing at a scratch file's name.
std::string InTheWay(const char* scratch) {
    return std::string("FileCrypt ERROR: Cannot create the scratch File ./data/") + scratch +
           ": something of that name is already there (left by a program that was killed, or "
           "another program is loading from this folder). Remove it and start again!\n";
}
std::string PartBlocks(const char* container) {
    return std::string("FileCrypt ERROR: File ./data/") + container +
           " is Truncated or has Bytes Appended: its body is not a whole number of 8-byte "
           "blocks!\n";
}

TEST(BadInput, EachGivesItsMessageEndsCleanlyAndLeavesNoScratchFile) {
    const BadInput cases[] = {
        // Nor is there data installed beside the program in the build folder.
        {"no data folder",
         [](RunFolder& f) { fs::remove_all(f.Data()); },
         {},
         1,
         NoDataFound() + "FileCrypt ERROR: Cannot open File ./data/T001.dat!\n"},
        // S1's first texture is already in temp0 when its second container is found missing.
        {"T020 missing",
         [](RunFolder& f) { f.Remove(20); },
         {},
         1,
         "FileCrypt ERROR: Cannot open File ./data/T020.dat!\n"},
        {"T020 under another key",
         [](RunFolder& f) { f.Repack(20, "wrong", [](Bytes&) {}); },
         {},
         1,
         "FileCrypt ERROR: File ./data/T020.dat cannot be Correctly Decrypted!\n"},
        {"T023 cut short of a whole block",
         [](RunFolder& f) { f.Truncate(23, 3); },
         {},
         1,
         PartBlocks("T023.dat")},
        {"T023 with bytes appended",
         [](RunFolder& f) {
             f.Append(23, {1, 2, 3});
         },
         {},
         1,
         PartBlocks("T023.dat")},
        {"T002 a FIFO without a writer",
         [](RunFolder& f) {
             f.Remove(2);
             mkfifo(f.Container(2).c_str(), 0600);
         },
         {},
         1,
         "FileCrypt ERROR: File ./data/T002.dat is a FIFO, not a container File!\n"},
        {"T002 a directory",
         [](RunFolder& f) {
             f.Remove(2);
             fs::create_directory(f.Container(2));
         },
         {},
         1,
         "FileCrypt ERROR: File ./data/T002.dat is a directory, not a container File!\n"},
        {"temp0 a link to a file outside the data folder",
         [](RunFolder& f) {
             WriteBytes(f.Root() + "/victim", TestPattern(64));
             fs::create_symlink("../victim", f.Data() + "/temp0");
         },
         {},
         1,
         InTheWay("temp0"),
         [](const RunFolder& f) { EXPECT_EQ(ReadBytes(f.Root() + "/victim"), TestPattern(64)); }},
        // S1 needs temp0 and temp1: the T019 texture is in temp0 when temp1 is found taken.
        {"temp1 a link to nothing",
         [](RunFolder& f) { fs::create_symlink("../through-the-link", f.Data() + "/temp1"); },
         {},
         1,
         InTheWay("temp1"),
         [](const RunFolder& f) { EXPECT_FALSE(fs::exists(f.Root() + "/through-the-link")); }},
        {"temp0 an empty directory",
         [](RunFolder& f) { fs::create_directory(f.Data() + "/temp0"); },
         {},
         1,
         InTheWay("temp0")},
        {"temp2 a read-only file",
         [](RunFolder& f) {
             WriteBytes(f.Data() + "/temp2", TestPattern(64));
             fs::permissions(f.Data() + "/temp2", fs::perms::owner_read);
         },
         {},
         1,
         InTheWay("temp2"),
         [](const RunFolder& f) { EXPECT_EQ(ReadBytes(f.Data() + "/temp2"), TestPattern(64)); }},
        {"T003 an MD2 file with a negative frame count",
         [](RunFolder& f) { f.Repack(3, KEY, [](Bytes& md2) { SetMd2FrameCount(md2, -1); }); },
         {},
         0,
         "Scene error: ./data/T003.dat: the frame count -1 is negative; the model is not drawn.\n"},
        {"T002 not a JPEG",
         [](RunFolder& f) { f.Repack(2, KEY, [](Bytes& image) { image = TestPattern(5000); }); },
         {},
         0,
         "Scene error: ./data/T002.dat: not a JPEG image; the terrain has no texture.\n"},
        // Mesa's llvmpipe takes textures of up to 16384 x 16384 pixels.
        {"T002 a JPEG wider than the driver takes",
         [](RunFolder& f) {
             f.Repack(2, KEY, [](Bytes& image) { image = JpegImage(20000, 8, 3, {90, 140, 60}); });
         },
         {},
         0,
         "Scene error: ./data/T002.dat: the image is 20000 x 8 pixels, more than the 16384 x 16384 "
         "the OpenGL driver takes; the terrain has no texture.\n"},
        // 65500 x 21858 x 3 bytes wraps past 4 GiB in the image library's sizes.
        {"T002 a JPEG whose header claims 65500 x 21858 pixels",
         [](RunFolder& f) {
             f.Repack(2, KEY, [](Bytes& image) {
                 image = ClaimingSize(JpegImage(8, 8, 3, {90, 140, 60}), 65500, 21858);
             });
         },
         {},
         0,
         "Scene error: ./data/T002.dat: the image is 65500 x 21858 pixels, more than the "
         "16777216 pixels an image of the scene may have; the terrain has no texture.\n"},
        {"T014 a skin whose header claims 16000 x 16000 pixels",
         [](RunFolder& f) {
             f.Repack(14, KEY, [](Bytes& image) {
                 image = ClaimingSize(JpegImage(8, 8, 3, {90, 140, 60}), 16000, 16000);
             });
         },
         {},
         0,
         "Scene error: ./data/T013.dat: the skin image ./data/T014.dat is 16000 x 16000 pixels, "
         "more than the 16777216 pixels an image of the scene may have; drawn without its "
         "skin.\n"},
        // Resampled to the output's rate, these few kilobytes would take hundreds of megabytes.
        {"sound container T035 a WAVE file of 8 samples a second",
         [](RunFolder& f) {
             f.Repack(35, KEY, [](Bytes& wav) {
                 const std::uint32_t rate = 8;
                 std::memcpy(wav.data() + 24, &rate, sizeof rate);
             });
         },
         {},
         0,
         "Sound is not supported.\n"},
        {"sound container T034 cut short",
         [](RunFolder& f) { f.Truncate(34, 5); },
         {},
         0,
         PartBlocks("T034.dat") + "Sound is not supported.\n"},
        // 16-bit mono at 8000 Hz doubles in size as the 8000 Hz stereo output: 4 Mi frames and
        // one more take more than the 16 MiB a decoded sound may.
        {"sound container T035 a WAVE file that would decode to more than 16 MiB",
         [](RunFolder& f) {
             f.Repack(35, KEY, [](Bytes& wav) { wav = SilentWav(8000, (4 << 20) + 1); });
         },
         {},
         0,
         "Sound is not supported.\n"},
        // Every repeat of a scan is decoded over the whole image again: 4096 x 4096 pixels and a
        // few thousand scans of a few bytes each keep the decoder busy for minutes.
        {"T002 a progressive JPEG with its last scan repeated 200 times",
         [](RunFolder& f) {
             f.Repack(2, KEY, [](Bytes& image) {
                 image = RepeatLastScan(LibjpegImage(64, 64, true), 200);
             });
         },
         {},
         0,
         "Scene error: ./data/T002.dat: the image is made of 210 scans, more than the 100 scans "
         "an image of the scene may have; the terrain has no texture.\n"},
        {"no display", [](RunFolder&) {}, {NoDisplay()}, 1, "Error setting up OpenGL.\n"},
        {"no audio device",
         [](RunFolder&) {},
         {"SDL_AUDIODRIVER=no-such-driver"},
         0,
         "Sound is not supported.\n"},
    };
    for (const BadInput& c : cases) {
        SCOPED_TRACE(c.what);
        RunFolder folder;
        c.spoil(folder);
        const std::set<std::string> before = folder.DataEntries();
        std::vector<std::string> env{"SDL_AUDIODRIVER=dummy"};
        env.insert(env.end(), c.env.begin(), c.env.end());
        const ProgramRun run = RunProgram(
            KVX_DEMO, {"--batch", "--frames", "2", "--size", "160x120"}, folder.Root(), env);
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_EQ(run.err, c.err);
        EXPECT_EQ(folder.DataEntries(), before);
        EXPECT_EQ(fs::exists(folder.Data()), !before.empty());
        c.check(folder);
    }
}

// True once the program has the file at path open.
bool HasOpen(int pid, const std::string& path) {
    std::error_code error;
    for (const fs::directory_entry& fd :
         fs::directory_iterator("/proc/" + std::to_string(pid) + "/fd", error)) {
        if (fs::read_symlink(fd.path(), error) == path)
            return true;
    }
    return false;
}

// A container cut while the program reads it: the program opens T001, reads its header and then
// waits for the data folder's lock, held here, before it decrypts the body; meanwhile the file is
// cut inside a block. The container is named, as for a container cut before the start.
TEST(BadInput, AContainerCutWhileItIsReadIsReportedAsTruncated) {
    RunFolder folder;
    const std::size_t padding = 64 * 1024;
    folder.Repack(1, KEY, [&](Bytes& jpeg) { jpeg.resize(jpeg.size() + padding, 0); });
    const int lock = open(folder.Data().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ASSERT_GE(lock, 0);
    ASSERT_EQ(flock(lock, LOCK_EX), 0);
    const std::set<std::string> before = folder.DataEntries();
    StartedProgram demo(KVX_DEMO, {"--batch", "--frames", "2", "--size", "160x120"}, folder.Root(),
                        {"SDL_AUDIODRIVER=dummy"});
    const std::string container = fs::canonical(folder.Container(1)).string();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!HasOpen(demo.Pid(), container) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    // The header is read right after the open; the body waits for the lock.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    fs::resize_file(container, fs::file_size(container) - padding / 2 - 3);
    close(lock);
    const ProgramRun run = demo.Wait(60);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, PartBlocks("T001.dat"));
    EXPECT_EQ(folder.DataEntries(), before);
}

// FLTK's printing code reads the user's ~/.fltk/fltk.org/printers.prefs as the library is
// loaded, before main: its reader waits forever on a FIFO and trusts the file's lines. The
// program never reads that file, so it starts and draws its frames whatever stands there.
TEST(BadInput, FltksOwnPreferencesFileIsNeverRead) {
    const struct {
        const char* what;
        std::function<void(const std::string&)> make;
    } cases[] = {
        {"a damaged file",
         [](const std::string& file) {
             const std::string text = "; FLTK preferences file format 1.0\n[x]\nkey:value\n+more\n";
             WriteBytes(file, Bytes(text.begin(), text.end()));
         }},
        {"a FIFO without a writer",
         [](const std::string& file) { ASSERT_EQ(mkfifo(file.c_str(), 0600), 0); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        RunFolder folder;
        TempDir home;
        fs::create_directories(home.Path(".fltk/fltk.org"));
        c.make(home.Path(".fltk/fltk.org/printers.prefs"));
        StartedProgram demo(KVX_DEMO, {"--batch", "--frames", "2", "--size", "160x120"},
                            folder.Root(), {"SDL_AUDIODRIVER=dummy", "HOME=" + home.Path("")});
        const ProgramRun run = demo.Wait(30);
        EXPECT_EQ(run.exitCode, 0) << "signal " << run.signal;
        EXPECT_EQ(run.err, "");
    }
}

// The program started by bash with script in front of it ("$0" is the program, "$@" its
// arguments), so a case can close a stream, pipe it or set a limit first. A run that does not
// end within a minute is killed and counts as a hang (exit code -1).
ProgramRun RunThroughShell(const RunFolder& folder, const std::string& script,
                           const std::vector<std::string>& env) {
    std::vector<std::string> args{"-c",       script, KVX_DEMO, "--batch",
                                  "--frames", "2",    "--size", "160x120"};
    std::vector<std::string> settings{"SDL_AUDIODRIVER=dummy"};
    settings.insert(settings.end(), env.begin(), env.end());
    return StartedProgram("/bin/bash", args, folder.Root(), settings).Wait(60);
}

// Standard streams that are closed, unread or full, and a file-size limit: each run ends as the
// same run with ordinary streams would, and no decrypted asset stays behind. Unguarded, a closed
// standard error lets the messages go into the display connection, which then hangs, and a
// reader that is gone, or the limit, ends the program by a signal with scratch files still there.
TEST(BadInput, StreamsAndLimitsEndCleanlyAndLeaveNoScratchFile) {
    const auto damagedModel = [](RunFolder& f) {
        f.Repack(3, KEY, [](Bytes& md2) { SetMd2FrameCount(md2, -1); });
    };
    const struct {
        const char* what;
        std::function<void(RunFolder&)> spoil;
        std::string script;
        std::vector<std::string> env;
        int exitCode;
        std::string err;
    } cases[] = {
        {"standard error closed, a damaged model",
         damagedModel,
         "exec \"$0\" \"$@\" 2>&-",
         {},
         0,
         ""},
        {"standard error closed, no audio device",
         [](RunFolder&) {},
         "exec \"$0\" \"$@\" 2>&-",
         {"SDL_AUDIODRIVER=no-such-driver"},
         0,
         ""},
        {"standard error a pipe whose reader is gone, a damaged model",
         damagedModel,
         "\"$0\" \"$@\" 2>&1 >/dev/null | exit 0; exit ${PIPESTATUS[0]}",
         {},
         0,
         ""},
        {"a file-size limit below the first asset",
         [](RunFolder&) {},
         "ulimit -f 100; exec \"$0\" \"$@\"",
         {},
         1,
         "FileCrypt ERROR: Cannot write File ./data/temp0!\n"},
        {"standard output full",
         [](RunFolder&) {},
         "exec \"$0\" --help >/dev/full",
         {},
         1,
         "kvx-demo: cannot write the standard output: No space left on device\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        RunFolder folder;
        c.spoil(folder);
        const std::set<std::string> before = folder.DataEntries();
        const ProgramRun run = RunThroughShell(folder, c.script, c.env);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
        EXPECT_EQ(run.err, c.err);
        EXPECT_EQ(folder.DataEntries(), before);
    }
}

// The signals sent while an asset is being loaded. AddressSanitizer takes SIGSEGV for itself: a
// sanitized program reports it as a crash of its own and exits at once, past the program's
// handler, so the sanitized build leaves that one signal out.
std::vector<int> LoadingSignals() {
    std::vector<int> signals{SIGINT, SIGTERM, SIGHUP, SIGUSR1, SIGALRM, SIGABRT};
#ifndef __SANITIZE_ADDRESS__
    signals.push_back(SIGSEGV);
#endif
    return signals;
}

// Requests to end that arrive while an asset is being loaded (from the terminal, kill, a timer),
// and crashes, end the program as the signal would, and no decrypted scratch file stays behind.
TEST(BadInput, SignalsDuringLoadingLeaveNoScratchFile) {
    const struct rlimit noCore = {0, 0};
    setrlimit(RLIMIT_CORE, &noCore);
    for (const int signal : LoadingSignals()) {
        SCOPED_TRACE(signal);
        RunFolder folder;
        const std::set<std::string> before = folder.DataEntries();
        StartedProgram demo(KVX_DEMO, {"--batch", "--frames", "2", "--size", "160x120"},
                            folder.Root(), {"SDL_AUDIODRIVER=dummy"});
        const auto loading = [&] {
            for (const std::string& name : folder.DataEntries()) {
                if (name.rfind("temp", 0) == 0)
                    return true;
            }
            return false;
        };
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        // A scratch file lives for milliseconds: the first sight of one counts.
        bool seen = false;
        while (!(seen = loading()) && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        ASSERT_TRUE(seen) << "no scratch file was seen";
        demo.Signal(signal);
        const ProgramRun run = demo.Wait(60);
        EXPECT_EQ(run.signal, signal) << run.err;
        EXPECT_EQ(folder.DataEntries(), before);
    }
}

}  // namespace
