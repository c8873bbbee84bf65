// Every example of the README's command table, run as written on a fresh demo
// folder: a user who copies one there sees it work.

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

#include "cli_runner.h"

namespace cli_test {
namespace {

// The example column of each row of the command table, by command name.
std::map<std::string, std::string> readme_examples() {
    std::ifstream readme(TESSARY_README);
    std::map<std::string, std::string> examples;
    for (std::string line; std::getline(readme, line);) {
        if (!line.starts_with("| `")) continue;
        const std::size_t close = line.rfind('`');
        const std::size_t open = line.rfind('`', close - 1);
        const std::string example = line.substr(open + 1, close - open - 1);
        if (!example.starts_with("tessary-cli ")) continue;
        const std::string command = line.substr(3, line.find_first_of(" `", 3) - 3);
        examples[command] = example;
    }
    return examples;
}

// The words of a shell command line, double quotes grouping.
std::vector<std::string> shell_words(const std::string& line) {
    std::vector<std::string> words;
    std::string word;
    bool quoted = false, any = false;
    for (const char character : line) {
        if (character == '"') {
            quoted = !quoted;
            any = true;
        } else if (character == ' ' && !quoted) {
            if (any) words.push_back(word);
            word.clear();
            any = false;
        } else {
            word += character;
            any = true;
        }
    }
    if (any) words.push_back(word);
    return words;
}

TEST_F(CliTest, EveryReadmeExampleWorksOnAFreshDemoFolder) {
    // The order in which one example leaves what a later one uses; the status
    // each should end with (diff: the tags differ; rebuild-foundation: refused
    // for the demo's Beta tags).
    const std::pair<const char*, int> runs[] = {
        {"demo", 0},          {"list", 0},        {"info", 0},          {"new", 0},
        {"export", 0},        {"import", 0},      {"diff", 1},          {"build-plugin", 0},
        {"verify", 0},        {"rebuild-foundation", 1}, {"refs", 0},   {"check", 0},
        {"dump-text", 0},     {"strings", 0},     {"export-bitmap", 0}, {"export-sequence", 0}, {"export-sound", 0},
        {"import-sound", 0},  {"import-font", 0}, {"delete", 0},
    };
    std::map<std::string, std::string> examples = readme_examples();
    ASSERT_EQ(examples.size(), std::size(runs));
    ok({"demo", "work"});
    for (const auto& [command, status] : runs) {
        ASSERT_TRUE(examples.contains(command)) << command;
        std::vector<std::string> words = shell_words(examples[command]);
        words.erase(words.begin());
        if (words.front() != "-C") words.insert(words.begin(), {"-C", "work"});
        const CliRun run = cli(words);
        EXPECT_EQ(run.status, status) << examples[command] << "\n" << run.out << run.err;
    }
}

}  // namespace
}  // namespace cli_test
