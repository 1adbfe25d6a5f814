#pragma once

#include <chrono>
#include <cstddef>
#include <string>

// The text of a progress line: "<what>: <done> <unit> done, <left> left, about <s> s left". The
// time left is reckoned from the pace so far; it is left out while the pace is not known (nothing
// done yet, or no time gone by), and 0 once everything is done.
std::string ProgressText(const std::string& what, const std::string& unit, std::size_t done,
                         std::size_t total, double elapsedSeconds);

// A progress line of a long run on standard error, rewritten in place ('\r') as the run goes on
// and ended with a newline when everything is done, or when the run ends early. Nothing at all is
// written when standard error is not a terminal, so that a script's output stays as it is.
class ProgressLine {
  public:
    // total: how many units the run does.
    ProgressLine(std::string unit, std::size_t total);
    ~ProgressLine();
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    // done units of the whole are done; what names what is running. The line is rewritten a few
    // times a second at most, and always at the last unit.
    void Show(const std::string& what, std::size_t done);

  private:
    using Clock = std::chrono::steady_clock;
    void Write(const std::string& text);
    void End();

    std::string m_unit;
    std::size_t m_total;
    bool m_bShown;
    bool m_bOpen = false;     // a line is written and not yet ended
    std::size_t m_width = 0;  // of the line written last
    Clock::time_point m_start;
    Clock::time_point m_written;  // when the line was written last
};
