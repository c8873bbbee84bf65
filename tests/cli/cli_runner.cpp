#include "cli_runner.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

extern char** environ;

namespace cli_test {

namespace {

std::string capture_path(const char* name) {
    return (std::filesystem::temp_directory_path() / ("cli_test_" + std::to_string(getpid()) + "_" + name)).string();
}

std::string read_and_remove(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    std::remove(path.c_str());
    return text.str();
}

}  // namespace

CliRun run_cli(const std::vector<std::string>& arguments, const std::string& stdin_text) {
    const std::string input = capture_path("in");
    const std::string output = capture_path("out");
    const std::string error = capture_path("err");
    std::ofstream(input, std::ios::binary) << stdin_text;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, input.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, error.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::vector<std::string> words = {TESSARY_CLI_PATH};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    pid_t child = 0;
    CliRun run;
    if (posix_spawn(&child, TESSARY_CLI_PATH, &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        waitpid(child, &status, 0);
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    posix_spawn_file_actions_destroy(&actions);
    std::remove(input.c_str());
    run.out = read_and_remove(output);
    run.err = read_and_remove(error);
    return run;
}

std::string CliTest::ok(const std::vector<std::string>& arguments) const {
    const CliRun run = cli(arguments);
    std::string command;
    for (const std::string& word : arguments) command += word + " ";
    EXPECT_EQ(run.status, 0) << command << "\n" << run.err;
    return run.out;
}

std::vector<std::byte> CliTest::raw(const std::string& tag) const {
    return to_bytes(ok({"export", tag, "--raw"}));
}

std::vector<std::byte> to_bytes(const std::string& text) {
    return std::vector<std::byte>(reinterpret_cast<const std::byte*>(text.data()),
                                  reinterpret_cast<const std::byte*>(text.data() + text.size()));
}

std::string to_string(const std::vector<std::byte>& bytes) {
    return std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

}  // namespace cli_test
