// The command line as users meet it: a wrong one exits with 2 and one line
// saying why, and the help describes the tool and every command whole.

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "cli_runner.h"

namespace cli_test {
namespace {

constexpr const char* commands[] = {
    "list",        "info",         "new",
    "export",      "import",       "delete",
    "diff",        "build-plugin", "rebuild-foundation",
    "verify",      "refs",         "check",
    "dump-text",   "strings",      "export-bitmap",
    "demo",        "import-sound", "export-sound",
    "import-font",
};

// The words of text, whatever the line breaks between them.
std::string words_of(const std::string& text) {
    std::istringstream stream(text);
    std::string word, words;
    while (stream >> word) words += (words.empty() ? "" : " ") + word;
    return words;
}

TEST_F(CliTest, AWrongCommandLineExitsWithTwoAndOneLineSayingWhy) {
    const std::vector<std::vector<std::string>> lines = {
        {},
        {"frobnicate"},
        {"info"},
        {"list", "extra"},
        {"list", "--bogus"},
        {"list", "--group"},
        {"list", "--json=yes"},
        {"export", "mons/x", "--raw", "--json"},
        {"-C"},
        {"--bogus", "list"},
    };
    for (const std::vector<std::string>& line : lines) {
        const CliRun run = cli(line);
        std::string shown;
        for (const std::string& word : line) shown += word + " ";
        EXPECT_EQ(run.status, 2) << shown;
        EXPECT_EQ(run.out, "") << shown;
        EXPECT_TRUE(run.err.starts_with("tessary-cli: ")) << shown << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << shown << run.err;
    }
    EXPECT_TRUE(cli({}).err.find("tessary-cli --help") != std::string::npos);
    EXPECT_TRUE(cli({"frobnicate"}).err.find("unknown command 'frobnicate'") != std::string::npos);
}

TEST_F(CliTest, HelpDescribesEveryCommandWhole) {
    const std::string overview = ok({"--help"});
    EXPECT_EQ(ok({"-h"}), overview);
    EXPECT_TRUE(overview.starts_with("usage: tessary-cli [-C DIR] COMMAND [ARGUMENTS]\n")) << overview;
    EXPECT_NE(overview.find("\noptions:\n"), std::string::npos) << overview;
    const std::string listed = words_of(overview.substr(overview.find("\ncommands:\n")));
    for (const char* command : commands) {
        const std::string help = ok({command, "--help"});
        EXPECT_NE(help.find("\noptions:\n"), std::string::npos) << command << "\n" << help;
        EXPECT_NE(help.find("--help"), std::string::npos) << command;
        // The paragraph between the usage line and the options, in the list beside the name, and ending its
        // sentence.
        const std::size_t start = help.find("\n\n") + 2;
        const std::string description = words_of(help.substr(start, help.find("\noptions:\n") - start));
        EXPECT_TRUE(description.ends_with(".")) << command << ": " << description;
        EXPECT_NE(listed.find(std::string(command) + " " + description), std::string::npos) << command;
    }
    EXPECT_EQ(ok({"info", "mons/x", "--help"}), ok({"info", "--help"}))
        << "help wins over the rest of the line";
}

TEST_F(CliTest, ArgumentsAfterTwoDashesAreTakenAsTheyAre) {
    ok({"demo", "work"});
    EXPECT_EQ(cli({"-C", "work", "new", "mons", "-dash"}).status, 2);
    ok({"-C", "work", "new", "mons", "--", "-dash"});
    EXPECT_NE(ok({"-C", "work", "info", "--", "mons/-dash"}).find("name:        -dash"), std::string::npos);
    ok({"-C", "work", "build-plugin", "Dashes", "--flags", "-1", "--", "mons/-dash", "mons/Alpha"});
    EXPECT_NE(ok({"-C", "work", "list", "--group", "mons"}).find("-dash"), std::string::npos);
}

// File names are taken inside -C DIR; a message about one says where it looked.
TEST_F(CliTest, FileMessagesSayWhereTheNameWasLookedFor) {
    ok({"demo", "."});
    ok({"demo", "work"});
    const CliRun missing = cli({"-C", "work", "import", "mons/Alpha", "mine.json"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("cannot open 'work/mine.json': No such file or directory (file names are relative to "
                               "the working folder 'work')"),
              std::string::npos)
        << missing.err;
    const CliRun here = cli({"import", "mons/Alpha", "mine.json"});
    EXPECT_NE(here.err.find("cannot open 'mine.json': No such file or directory\n"), std::string::npos) << here.err;
}

}  // namespace
}  // namespace cli_test
