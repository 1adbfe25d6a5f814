#pragma once

#include <string>

// The text of the about box: title and version date, what the demo shows,
// the two navigation gestures, the terms of use, the credits for the scene
// assets and the libraries, and where to send questions. Lines are separated
// by "\n", sections by an empty line.
// assetCredits is inserted into the credits section as given (trailing line
// breaks dropped); when it is empty a line says the credits file was not found.
std::string AboutText(const std::string& assetCredits);

// The credits for the scene assets, which the asset baker writes beside the containers.
inline constexpr const char* ASSET_CREDITS_FILE = "CREDITS.txt";

// The whole text of the credits file at path with "\r\n" line ends turned
// into "\n"; "" when it is not a regular file of at most 256 KiB that can be
// read.
std::string ReadAssetCredits(const std::string& path);
