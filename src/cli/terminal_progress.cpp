#include "cli/terminal_progress.h"

#include <unistd.h>

#include <cstdio>

namespace cli {

TerminalProgress::TerminalProgress(std::string label, std::uint64_t total)
    : label_(std::move(label)), total_(total), shown_(isatty(STDERR_FILENO) != 0) {}

TerminalProgress::~TerminalProgress() { finish(); }

void TerminalProgress::update(std::uint64_t done, const std::string& detail) {
    if (!shown_) return;
    const int percent = total_ == 0 ? 100 : static_cast<int>(done * 100 / total_);
    if (percent == last_percent_ && detail == last_detail_) return;
    last_percent_ = percent;
    last_detail_ = detail;
    std::fprintf(stderr, "\r\033[K%s: %3d%%%s%s", label_.c_str(), percent, detail.empty() ? "" : "  ",
                 detail.c_str());
    std::fflush(stderr);
}

void TerminalProgress::finish() {
    if (!shown_ || last_percent_ < 0) return;
    std::fprintf(stderr, "\r\033[K");
    std::fflush(stderr);
    last_percent_ = -1;
}

}  // namespace cli
