#pragma once

#include <functional>
#include <string>

// Where the program finds its data, in this order: the folder given on the command line;
// ./data below the working folder when it holds the first container; the data installed with
// the program, PREFIX/share/kvx-demo/data for a program in PREFIX/bin, wherever PREFIX is.
struct DataChoice {
    std::string folder;      // "./data" when nothing was found, so its messages name it as before
    bool installed = false;  // the data installed with the program, never written to
    std::string notFound;    // when nothing was found: every place looked at and what to do
};

// The first container, whose presence marks a data folder.
inline constexpr const char* FIRST_CONTAINER = "T001.dat";

// given is the --data option ("" when not given), executable the program's own path after
// links ("" when unknown); holdsData(folder) tells whether folder has a FIRST_CONTAINER entry.
DataChoice ChooseDataFolder(const std::string& given, const std::string& executable,
                            const std::function<bool(const std::string&)>& holdsData);

// Whether anything stands at folder/FIRST_CONTAINER (a dangling link too: ./data is then still
// the folder meant, and the loader says what is wrong with it).
bool HoldsData(const std::string& folder);

// The running program's path with every link resolved; "" when the system does not say.
std::string RunningProgram();
