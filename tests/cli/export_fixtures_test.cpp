// The JSON export of every demo tag and of every group's default record, compared
// byte for byte with the exports kept in fixtures/ (written by
// fixtures/make-export-fixtures), so that a change of the JSON code cannot change
// what users have already exported.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "cli_runner.h"

namespace cli_test {
namespace {

namespace fs = std::filesystem;

const fs::path fixtures = TESSARY_CLI_FIXTURES;

std::string read_fixture(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// Exports the tag of the working folder and compares with the fixture.
void expect_export(const std::string& folder, const std::string& tag, const fs::path& fixture) {
    const CliRun run = run_cli({"-C", folder, "export", tag, "-o", "exported.json"});
    ASSERT_EQ(run.status, 0) << tag << "\n" << run.err;
    EXPECT_EQ(read_fixture(fs::path(folder) / "exported.json"), read_fixture(fixture)) << tag;
}

TEST_F(CliTest, ExportOfEveryDemoTagMatchesItsFixture) {
    ok({"demo", "demo"});
    int compared = 0;
    for (const fs::directory_entry& group : fs::directory_iterator(fixtures / "demo")) {
        for (const fs::directory_entry& tag : fs::directory_iterator(group.path())) {
            const std::string tag_name = group.path().filename().string() + "/" + tag.path().stem().string();
            expect_export("demo", tag_name, tag.path());
            ++compared;
        }
    }
    const std::string listed = ok({"-C", "demo", "list"});
    EXPECT_EQ(compared, std::count(listed.begin(), listed.end(), '\n') - 1) << "every demo tag has its fixture";
}

TEST_F(CliTest, ExportOfEveryDefaultRecordMatchesItsFixture) {
    int compared = 0;
    for (const fs::directory_entry& fixture : fs::directory_iterator(fixtures / "default")) {
        const std::string group = fixture.path().stem().string();
        ok({"new", group, "Default"});
        expect_export(".", group + "/Default", fixture.path());
        ++compared;
    }
    // The demo folder holds a tag of every group with a default record, and a collection.
    const auto demo_groups = std::distance(fs::directory_iterator(fixtures / "demo"), fs::directory_iterator());
    EXPECT_EQ(compared, demo_groups - 1);
}

}  // namespace
}  // namespace cli_test
