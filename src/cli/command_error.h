#pragma once

// The failure of a command, reported as "tessary-cli: <message>" on standard
// error with a non-zero exit status.

#include <stdexcept>
#include <string>

namespace cli {

inline constexpr int exit_failure = 1;
inline constexpr int exit_usage = 2;

class CommandError : public std::runtime_error {
public:
    explicit CommandError(const std::string& message, int exit_status = exit_failure)
        : std::runtime_error(message), exit_status_(exit_status) {}
    int exit_status() const { return exit_status_; }

private:
    int exit_status_;
};

}  // namespace cli
