#include "measure/progress_line.h"

#include <unistd.h>

#include <cstdio>

namespace {

// The line is rewritten no more often than this.
constexpr double REWRITE_SECONDS = 0.25;

}  // namespace

std::string ProgressText(const std::string& what, const std::string& unit, std::size_t done,
                         std::size_t total, double elapsedSeconds) {
    const std::size_t left = done < total ? total - done : 0;
    std::string text = what + ": " + std::to_string(done) + " " + unit + " done, " +
                       std::to_string(left) + " left";
    if (left == 0)
        return text + ", about 0 s left";
    if (done == 0 || !(elapsedSeconds > 0.0))
        return text;
    const double seconds = elapsedSeconds / static_cast<double>(done) * static_cast<double>(left);
    char estimate[48];
    std::snprintf(estimate, sizeof estimate, ", about %.0f s left", seconds);
    return text + estimate;
}

ProgressLine::ProgressLine(std::string unit, std::size_t total)
    : m_unit(std::move(unit)),
      m_total(total),
      m_bShown(isatty(STDERR_FILENO) == 1),
      m_start(Clock::now()),
      m_written(m_start) {}

ProgressLine::~ProgressLine() {
    End();
}

void ProgressLine::Show(const std::string& what, std::size_t done) {
    if (!m_bShown)
        return;
    const Clock::time_point now = Clock::now();
    const bool last = done >= m_total;
    if (m_bOpen && !last &&
        std::chrono::duration<double>(now - m_written).count() < REWRITE_SECONDS)
        return;
    m_written = now;
    Write(ProgressText(what, m_unit, done, m_total,
                       std::chrono::duration<double>(now - m_start).count()));
    if (last)
        End();
}

// Spaces blank what is left of a longer line before.
void ProgressLine::Write(const std::string& text) {
    const std::size_t blank = m_width > text.size() ? m_width - text.size() : 0;
    std::fprintf(stderr, "\r%s%*s", text.c_str(), static_cast<int>(blank), "");
    std::fflush(stderr);
    m_width = text.size();
    m_bOpen = true;
}

void ProgressLine::End() {
    if (!m_bOpen)
        return;
    std::fputc('\n', stderr);
    std::fflush(stderr);
    m_bOpen = false;
}
