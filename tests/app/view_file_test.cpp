#include "app/view_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/crypt/crypt_test_util.h"

namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

// A view unlike the defaults in every field, with numbers that print with
// many digits.
SavedView OddView() {
    SavedView view;
    view.eye = {true, 33.3333f, -1234.5678f, 10.000001f};
    view.light = {true, 25.0f, 3599.9f, 1999.99f};
    view.shadowMode = "ssm";
    view.comparedMode = "csm-stable";
    view.inset = true;
    view.readout = true;
    view.paused = true;
    for (int f = 0; f < FIGURE_COUNT; ++f)
        view.figures[f] = {f * 101, 99999 - f};
    return view;
}

void ExpectSameView(const SavedView& a, const SavedView& b) {
    for (const auto& [x, y] : {std::pair{a.eye, b.eye}, std::pair{a.light, b.light}}) {
        EXPECT_EQ(x.set, y.set);
        EXPECT_EQ(x.elevation, y.elevation);
        EXPECT_EQ(x.azimuth, y.azimuth);
        EXPECT_EQ(x.distance, y.distance);
    }
    EXPECT_EQ(a.shadowMode, b.shadowMode);
    EXPECT_EQ(a.comparedMode, b.comparedMode);
    EXPECT_EQ(a.inset, b.inset);
    EXPECT_EQ(a.heatColours, b.heatColours);
    EXPECT_EQ(a.readout, b.readout);
    EXPECT_EQ(a.paused, b.paused);
    EXPECT_EQ(a.figures, b.figures);
}

// The start-up view as a file: the format a stored file relies on.
const char* const START_UP_FILE =
    "kvx-view 1\n"
    "eye 20,-135,160\n"
    "light 90,-135,1200\n"
    "shadow-mode kvx-hq\n"
    "compared-mode none\n"
    "inset off\n"
    "heat-colours off\n"
    "readout off\n"
    "paused off\n"
    "figure-1 0,0\n"
    "figure-2 0,0\n"
    "figure-3 0,0\n"
    "figure-4 0,0\n"
    "figure-5 0,0\n";

TEST(ViewFile, TheStartUpViewIsWrittenInTheDocumentedFormat) {
    SavedView view;
    view.eye = {true, 20.0f, -135.0f, 160.0f};
    view.light = {true, 90.0f, -135.0f, 1200.0f};
    EXPECT_EQ(ViewFileText(view), START_UP_FILE);
}

TEST(ViewFile, AViewReadBackIsTheSameToTheBit) {
    const SavedView written = OddView();
    SavedView read;
    ASSERT_EQ(ParseViewFile(ViewFileText(written), read), "");
    ExpectSameView(read, written);
}

// Comments, blank lines, Windows line ends and any order of the keys are
// read; so is the text as a hand would edit it.
TEST(ViewFile, CommentsBlankLinesAndAnyOrderAreRead) {
    std::istringstream lines(ViewFileText(OddView()));
    std::string line, text;
    std::getline(lines, line);
    text = line + "\r\n# saved by hand\n\n";
    std::vector<std::string> rest;
    while (std::getline(lines, line))
        rest.insert(rest.begin(), line);
    for (const std::string& l : rest)
        text += l + "\r\n";
    SavedView read;
    ASSERT_EQ(ParseViewFile(text, read), "");
    ExpectSameView(read, OddView());
}

// The start-up file with the line of key replaced by line (removed when empty).
std::string WithLine(const std::string& key, const std::string& line) {
    std::istringstream lines(START_UP_FILE);
    std::string text;
    for (std::string l; std::getline(lines, l);) {
        if (l.rfind(key + " ", 0) == 0)
            text += line.empty() ? "" : line + "\n";
        else
            text += l + "\n";
    }
    return text;
}

TEST(ViewFile, ADamagedFileIsRefusedWithItsReasonAndChangesNothing) {
    const std::string whole = START_UP_FILE;
    const std::string padded = whole + "#" + std::string(4096 - whole.size(), 'x') + "\n";
    const struct {
        const char* what;
        std::string text;
        const char* reason;
    } cases[] = {
        {"empty", "", "the file is empty"},
        {"wrong version", "kvx-view 2\n" + whole.substr(11),
         "version 2 of the view file format; this program reads version 1"},
        {"no version", "kvx-view\n" + whole.substr(11),
         "not a view file: it does not begin with the line \"kvx-view 1\""},
        {"elevation out of range", WithLine("eye", "eye 176,-135,160"),
         "line 2: eye is not ELEVATION,AZIMUTH,DISTANCE with elevation 5 to 175 and distance 10 "
         "to 200"},
        {"distance out of range", WithLine("light", "light 90,-135,799"),
         "line 3: light is not ELEVATION,AZIMUTH,DISTANCE with elevation 25 to 155 and distance "
         "800 to 2000"},
        {"azimuth out of range", WithLine("eye", "eye 20,3601,160"), "line 2: eye is not"},
        {"not a number", WithLine("eye", "eye 20,west,160"), "line 2: eye is not"},
        {"not a number in a pose", WithLine("figure-2", "figure-2 0,1e3"),
         "line 11: figure-2 is not A,B: two whole numbers of frames from 0 to 99999"},
        {"a negative frame", WithLine("figure-2", "figure-2 -1,0"), "line 11: figure-2 is not"},
        {"a frame too large", WithLine("figure-2", "figure-2 100000,0"),
         "line 11: figure-2 is not"},
        {"unknown mode", WithLine("shadow-mode", "shadow-mode lispsm"),
         "line 4: shadow-mode is not one of kvx-hq, kvx, ssm"},
        {"unknown compared mode", WithLine("compared-mode", "compared-mode ssm"),
         "line 5: compared-mode is not one of none, lispsm, csm, csm-stable"},
        {"a switch neither on nor off", WithLine("inset", "inset yes"),
         "line 6: inset is not on or off"},
        {"huge", padded, "the file is 4098 bytes, more than the 4096 bytes a view file may have"},
        {"a PNG image", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16),
         "not a view file: it does not begin"},
        {"a text file", "Dear diary,\nnothing happened.\n", "not a view file"},
        {"cut inside its last line", whole.substr(0, whole.size() - 3),
         "the file is cut short: its last line has no line break"},
        {"cut at a line's end", whole.substr(0, whole.find("figure-5")),
         "the line figure-5 is missing"},
        {"a key missing", WithLine("readout", ""), "the line readout is missing"},
        {"a key twice", whole + "eye 30,0,50\n",
         "line 15: eye is given a second time (first on line 2)"},
        {"an unknown key", whole + "zoom 3\n", "line 15: zoom is not a key of view files"},
        {"a key without a value", whole + "paused\n", "line 15 is not a line KEY VALUE"},
        {"control characters", whole + "pa\x1bused on\n", "line 15 is not a line KEY VALUE"},
    };
    for (const auto& c : cases) {
        SavedView view = OddView();
        EXPECT_THAT(ParseViewFile(c.text, view), StartsWith(c.reason)) << c.what;
        ExpectSameView(view, OddView());
    }
}

TEST(ViewFileOnDisk, AWrittenFileReadsBackAndReplacesAnOlderOne) {
    const TempDir folder;
    const std::string path = folder.Path("a.kvxview");
    ASSERT_EQ(WriteViewFile(path, SavedView()), "");
    ASSERT_EQ(WriteViewFile(path, OddView()), "");
    SavedView read;
    ASSERT_EQ(ReadViewFile(path, read), "");
    ExpectSameView(read, OddView());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path("")), {}), 1);
}

// A place that cannot be written gets no file, not even a part of one.
TEST(ViewFileOnDisk, AFailedWriteLeavesNoFile) {
    const TempDir folder;
    EXPECT_THAT(WriteViewFile(folder.Path("missing/a.kvxview"), OddView()),
                HasSubstr("No such file or directory"));
    EXPECT_THAT(WriteViewFile(folder.Path(""), OddView()), HasSubstr("not a regular file"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path("")), {}), 0);
}

// What is not a small regular file is refused before it is read: a FIFO
// without a writer does not hold the program, a large sparse file is not read.
TEST(ViewFileOnDisk, OnlyASmallRegularFileIsRead) {
    const TempDir folder;
    const std::string fifo = folder.Path("fifo.kvxview");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string large = folder.Path("large.kvxview");
    std::ofstream(large).close();
    std::filesystem::resize_file(large, 1u << 30);
    const struct {
        std::string path;
        const char* reason;
    } cases[] = {
        {folder.Path("none.kvxview"), "No such file or directory"},
        {folder.Path(""), "not a regular file"},
        {fifo, "not a regular file"},
        {large, "the file is 1073741824 bytes, more than the 4096 bytes a view file may have"},
    };
    for (const auto& c : cases) {
        SavedView view = OddView();
        EXPECT_EQ(ReadViewFile(c.path, view), c.reason) << c.path;
        ExpectSameView(view, OddView());
    }
}

}  // namespace
