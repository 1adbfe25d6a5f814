#pragma once

#include <cstddef>
#include <string>

#include "app/orbit_option.h"
#include "scene/figure_pose.h"

// A view of the demo as a `.kvxview` file keeps it: the eye and the light,
// the modes, the live views and the figures' pose. The file is text, one
// "KEY VALUE" line each, after the line "kvx-view 1" that names the format
// and its version; blank lines and lines beginning with '#' are passed over:
//
//   kvx-view 1
//   eye 20,-135,160           elevation, azimuth, distance, as --eye takes them
//   light 90,-135,1200        the same for the light, as --light takes them
//   shadow-mode kvx-hq        kvx-hq, kvx or ssm (the Options menu)
//   compared-mode none        none, lispsm, csm or csm-stable (the View menu)
//   inset off                 the live views: on or off each
//   heat-colours off
//   readout off
//   paused on                 whether the figures stand still
//   figure-1 24,24            per figure, the cycle frames of its models a and b
//   ... figure-5
//
// Every key is needed once; each line ends with a line break.
struct SavedView {
    OrbitOption eye;
    OrbitOption light;
    std::string shadowMode = "kvx-hq";
    std::string comparedMode = "none";
    bool inset = false;
    bool heatColours = false;
    bool readout = false;
    bool paused = false;
    FigurePoseSet figures;
};

// The largest view file read: a whole one takes about 250 bytes.
constexpr std::size_t MAX_VIEW_FILE_BYTES = 4096;
// The largest cycle frame a file may name; the scene's cycles are shorter.
constexpr int MAX_FIGURE_FRAME = 99999;

// The file's text for view: the numbers as they are held, so that reading
// it back gives the same view to the bit.
std::string ViewFileText(const SavedView& view);

// Reads a view file's text into view. Returns "" when the text is a whole,
// valid view file; otherwise what is wrong with it, worded to follow the
// file's name and a colon ("line 3: eye is not ..."), and view is as it was.
std::string ParseViewFile(const std::string& text, SavedView& view);

// Reads the file at path into view, all or nothing: "" when it was read,
// otherwise what is wrong, as ParseViewFile words it (the system's reason
// when it cannot be read, "not a regular file", a file too large).
std::string ReadViewFile(const std::string& path, SavedView& view);

// Writes view to path through a new file renamed into place, so that a
// failure leaves no part-written file and an older file as it was; "" or
// what went wrong, worded to follow the file's name ("cannot be replaced:
// ...").
std::string WriteViewFile(const std::string& path, const SavedView& view);
