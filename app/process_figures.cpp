#include "app/process_figures.h"

#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

// Field 22 of /proc/self/stat: start time in clock ticks after boot. The
// command name (field 2) is in parentheses and may hold spaces, so fields are
// counted after its closing parenthesis.
bool StartTicks(long long& ticks) {
    std::ifstream stat("/proc/self/stat");
    std::string text;
    std::getline(stat, text);
    const size_t close = text.rfind(')');
    if (close == std::string::npos)
        return false;
    std::istringstream fields(text.substr(close + 1));
    std::string field;
    for (int i = 3; i <= 22; ++i) {
        if (!(fields >> field))
            return false;
    }
    ticks = std::stoll(field);
    return true;
}

}  // namespace

double SecondsSinceProcessStart() {
    long long ticks = 0;
    double uptime = 0.0;
    std::ifstream uptimeFile("/proc/uptime");
    const long perSecond = sysconf(_SC_CLK_TCK);
    if (!StartTicks(ticks) || !(uptimeFile >> uptime) || perSecond <= 0)
        return -1.0;
    return uptime - static_cast<double>(ticks) / static_cast<double>(perSecond);
}

double ResidentMemoryMiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stod(line.substr(6)) / 1024.0;
    }
    return -1.0;
}
