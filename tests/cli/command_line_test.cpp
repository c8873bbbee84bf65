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
    "export-sequence",
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

// The option names a help's "options:" section lists, -h and --help left out.
std::vector<std::string> listed_options(const std::string& help) {
    std::vector<std::string> names;
    std::istringstream lines(help.substr(help.find("\noptions:\n") + 10));
    for (std::string line; std::getline(lines, line) && !line.empty();) {
        if (!line.starts_with("  -")) continue;
        std::istringstream words(line);
        std::string name;
        words >> name;
        if (name != "-h,") names.push_back(name);
    }
    return names;
}

TEST_F(CliTest, HelpListsEveryCommandOnOneLineAndDescribesEachWhole) {
    const std::string overview = ok({"--help"});
    EXPECT_EQ(ok({"-h"}), overview);
    EXPECT_TRUE(overview.starts_with("usage: tessary-cli [-C DIR] COMMAND [ARGUMENTS]\n")) << overview;
    EXPECT_NE(overview.find("\noptions:\n"), std::string::npos) << overview;
    std::istringstream listing(overview.substr(overview.find("\ncommands:\n") + 11));
    std::vector<std::string> listed;
    for (std::string line; std::getline(listing, line) && !line.empty();) {
        EXPECT_TRUE(line.starts_with("  ") && line[2] != ' ' && line.size() <= 80) << "'" << line << "'";
        listed.push_back(line.substr(2, line.find(' ', 2) - 2));
    }
    EXPECT_EQ(listed.size(), std::size(commands));
    for (const char* command : commands) {
        EXPECT_EQ(std::ranges::count(listed, command), 1) << command;
        const std::string help = ok({command, "--help"});
        EXPECT_NE(help.find("--help"), std::string::npos) << command;
        // The whole paragraph between the usage line and the options, ending its sentence.
        const std::size_t start = help.find("\n\n") + 2;
        const std::string description = words_of(help.substr(start, help.find("\noptions:\n") - start));
        EXPECT_TRUE(description.ends_with(".")) << command << ": " << description;
        // The usage line names every option the command takes.
        const std::string usage = help.substr(0, help.find('\n'));
        for (const std::string& option : listed_options(help))
            EXPECT_NE(usage.find(option), std::string::npos) << command << " usage lacks " << option << ": " << usage;
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
