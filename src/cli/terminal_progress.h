#pragma once

// A progress line for long operations, redrawn in place on standard error, and
// only when standard error is a terminal so that scripts and logs stay clean.

#include <cstdint>
#include <string>

namespace cli {

class TerminalProgress {
public:
    TerminalProgress(std::string label, std::uint64_t total);
    ~TerminalProgress();
    TerminalProgress(const TerminalProgress&) = delete;
    TerminalProgress& operator=(const TerminalProgress&) = delete;

    void update(std::uint64_t done, const std::string& detail = "");
    // Clears the line.
    void finish();

private:
    std::string label_;
    std::uint64_t total_;
    bool shown_;
    int last_percent_ = -1;
    std::string last_detail_;
};

}  // namespace cli
