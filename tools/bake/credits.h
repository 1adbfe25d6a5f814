#pragma once

#include <string>
#include <vector>

namespace bake {

// What a Debian machine-readable copyright file says about one upstream file.
struct LicenceInfo {
    std::string licence;    // short licence name, "" when no paragraph matches
    std::string copyright;  // holders, one line, "" when none are named
};

// Finds the last Files paragraph whose patterns match `upstreamPath` (a '*' matches any text,
// '/' included) in the text of a debian/copyright file.
LicenceInfo LookUpLicence(const std::string& copyrightText, const std::string& upstreamPath);

// One baked asset's origin.
struct Credit {
    std::string containers;  // "T003, T005" or a role when not packed
    std::string use;         // what the asset becomes in the scene
    std::string source;      // installed file it was made from
    std::string package;     // Debian package that installs it
    LicenceInfo licence;
    std::string note;  // origin notes shipped beside the file, "" when none
};

// The credits text: one block per asset, readable as plain text in a window or a README.
std::string CreditsText(const std::vector<Credit>& credits);

}  // namespace bake
