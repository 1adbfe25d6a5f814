// Every input is used twice. As the text of a settings file, the reader must take no more bytes
// out of it than it holds. Decoded into a list of paths (any bytes: backslashes, line breaks,
// control and non-ASCII bytes, lines far longer than the writer's), the file the writer makes of
// the list must read back as the same list.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "app/app_settings.h"
#include "app/prefs_text.h"

namespace {

// The group and keys the program keeps its recent-file list under.
constexpr char GROUP[] = "Recent File List";

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

std::string Key(std::size_t index) {
    return "File" + std::to_string(index + 1);
}

void CheckReadBounded(const std::string& text) {
    std::size_t taken = 0;
    for (const auto& [key, value] : PrefsGroupEntries(text, GROUP)) {
        taken += key.size() + value.size();
    }
    Require(taken <= text.size());
}

// Paths as FuzzedDataProvider cuts strings: a backslash and another byte end one, two
// backslashes stand for one.
std::vector<std::pair<std::string, std::string>> DecodeList(const std::uint8_t* data,
                                                            std::size_t size) {
    FuzzedDataProvider input(data, size);
    std::vector<std::pair<std::string, std::string>> entries;
    while (input.remaining_bytes() > 0 && entries.size() < RecentFileList::MAX_ENTRIES) {
        entries.emplace_back(Key(entries.size()), input.ConsumeRandomLengthString());
    }
    return entries;
}

void CheckRoundTrip(const std::vector<std::pair<std::string, std::string>>& entries) {
    const std::string text =
        PrefsText(AppSettings::VENDOR, AppSettings::APPLICATION, GROUP, entries);
    const std::map<std::string, std::string> expected(entries.begin(), entries.end());
    Require(PrefsGroupEntries(text, GROUP) == expected);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CheckReadBounded(std::string(reinterpret_cast<const char*>(data), size));
    CheckRoundTrip(DecodeList(data, size));
    return 0;
}
