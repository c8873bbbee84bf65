#pragma once

// Runs the real tessary-cli on a temporary working folder and captures what it
// prints.

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <vector>

#include "support/working_folder.h"

namespace cli_test {

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs tessary-cli with the arguments in the current folder, standard input
// from stdin_text.
CliRun run_cli(const std::vector<std::string>& arguments, const std::string& stdin_text = "");

class CliTest : public ::testing::Test {
protected:
    // Runs in the test's working folder.
    CliRun cli(const std::vector<std::string>& arguments, const std::string& stdin_text = "") const {
        return run_cli(arguments, stdin_text);
    }
    // Runs and expects success.
    std::string ok(const std::vector<std::string>& arguments) const;
    std::vector<std::byte> raw(const std::string& tag) const;

    test_support::WorkingFolder folder;
};

std::vector<std::byte> to_bytes(const std::string& text);
std::string to_string(const std::vector<std::byte>& bytes);

}  // namespace cli_test
