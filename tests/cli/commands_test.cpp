// The commands of tessary-cli run as a user runs them, on temporary working
// folders: diffs, plugins and their verification, damaged files, the
// single-instance lock, refused imports and the demo folder.

#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "cli/json_reader.h"
#include "cli_runner.h"
#include "support/unprivileged.h"
#include "tag_files/instance_lock.h"

namespace cli_test {
namespace {

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

void set_byte(std::string& bytes, std::size_t position, unsigned value) {
    ASSERT_LT(position, bytes.size());
    bytes[position] = static_cast<char>(value);
}

TEST_F(CliTest, DiffNamesTheChangedFieldsOfTwoTags) {
    ok({"new", "mons", "Ogre"});
    ok({"new", "monsters", "Troll"});
    EXPECT_EQ(cli({"diff", "mons/ogre", "mons/TROLL"}).status, 0) << "fresh defaults are equal";

    // flags is the first word of a monster: set bit 0 and change the size enumeration.
    std::string bytes = to_string(raw("mons/Troll"));
    set_byte(bytes, 3, 0x01);
    folder.write_file("troll.bin", bytes);
    ok({"import", "mons/Troll", "troll.bin", "--raw"});
    const CliRun text = cli({"diff", "mons/Ogre", "mons/Troll"});
    EXPECT_EQ(text.status, 1);
    EXPECT_TRUE(text.out.starts_with("flags[0]: ") || text.out.starts_with("flags: ")) << text.out;
    EXPECT_EQ(std::count(text.out.begin(), text.out.end(), '\n'), 1) << text.out;

    const cli::json::ReadResult json = cli::json::read(cli({"diff", "mons/Ogre", "mons/Troll", "--json"}).out);
    ASSERT_TRUE(json.value) << json.error;
    const cli::Json& differences = json.value->at("differences");
    ASSERT_EQ(differences.size(), 1u);
    EXPECT_EQ(differences[0].at("where"), "flags");
    EXPECT_EQ(differences[0].at("first").size(), 0u);

    // A raw file against a tag is read as a record of the tag's group.
    EXPECT_EQ(cli({"diff", "troll.bin", "mons/Troll"}).status, 0);
    EXPECT_EQ(cli({"diff", "mons/Ogre", "missing.bin"}).status, 2);
}

// A new map gets the all-zero header that the editor's form makes of an empty map.
TEST_F(CliTest, NewMapHasAWholeHeader) {
    const std::string created = ok({"new", "mesh", "Desert Map"});
    EXPECT_TRUE(contains(created, "1024 bytes")) << created;
    EXPECT_EQ(to_string(raw("mesh/Desert Map")), std::string(1024, '\0'));
}

TEST_F(CliTest, BuiltPluginVerifiesAndLeavesOutSavedGames) {
    ok({"new", "mons", "Ogre"});
    ok({"new", "proj", "Arrow"});
    const std::string built = ok({"build-plugin", "Ogres", "--url", "example.org", "mons/Ogre", "proj/arrow"});
    EXPECT_TRUE(contains(built, "plugins/Ogres (2 tags")) << built;
    const CliRun verified = cli({"verify"});
    EXPECT_EQ(verified.status, 0) << verified.out;
    EXPECT_EQ(verified.out, "");
    EXPECT_EQ(cli({"verify", "plugins/Ogres"}).status, 0);
    EXPECT_EQ(cli({"build-plugin", "Ogres", "mons/Ogre"}).status, 1) << "an existing plugin needs --force";
    ok({"build-plugin", "Ogres", "--force", "mons/Ogre"});
    EXPECT_EQ(cli({"build-plugin", "Other", "proj/Nothing"}).status, 1);

    // Two monolithic files compare tag by tag.
    ok({"build-plugin", "Both", "mons/Ogre", "proj/Arrow"});
    const CliRun compared = cli({"diff", "plugins/Ogres", "plugins/Both"});
    EXPECT_EQ(compared.status, 1);
    EXPECT_EQ(compared.out, "+ projectiles/Arrow (arro)\n");
}

TEST_F(CliTest, FoundationFilesAreRebuiltByDestination) {
    ok({"new", "mons", "Ogre"});
    ok({"new", "stli", "Names"});  // string lists go to destination 3
    const std::string rebuilt = ok({"rebuild-foundation"});
    EXPECT_TRUE(contains(rebuilt, "wrote tags/small install (1 tag)")) << rebuilt;
    EXPECT_TRUE(contains(rebuilt, "wrote tags/international small install (1 tag)")) << rebuilt;
    EXPECT_TRUE(contains(rebuilt, "wrote tags/international large install (0 tags)")) << rebuilt;
    const CliRun verified = cli({"verify"});
    EXPECT_EQ(verified.status, 0) << verified.out;
    EXPECT_TRUE(contains(verified.err, "verified 5 files: 0 problems")) << verified.err;
    const CliRun compared = cli({"diff", "tags/small install", "tags/international small install"});
    EXPECT_EQ(compared.status, 1);
    EXPECT_EQ(compared.out, "+ string lists/Names (name)\n- monsters/Ogre (ogre)\n");
    EXPECT_EQ(cli({"diff", "tags/small install", "tags/small install"}).out, "");
    EXPECT_EQ(cli({"diff", "tags/small install", "mons/Ogre"}).status, 2) << "a monolithic file is no tag";
}

TEST_F(CliTest, ImportReadsStandardInputAndPluginFlagsAreChecked) {
    ok({"new", "wind", "Breeze"});
    ok({"new", "wind", "Gale"});
    std::string document = ok({"export", "wind/Breeze"});
    const CliRun imported = cli({"import", "wind/Gale", "-"}, document);
    EXPECT_EQ(imported.status, 0) << imported.err;
    EXPECT_EQ(raw("wind/Gale"), raw("wind/Breeze"));
    for (const char* flags : {"65536", "-2", "seven", "0x1G"}) {
        EXPECT_EQ(cli({"build-plugin", "Windy", "--flags", flags, "wind/Gale"}).status, 2) << flags;
    }
    ok({"build-plugin", "Windy", "--flags", "0x8", "wind/Gale"});
    const std::string plugin = folder.read_file("plugins/Windy");
    EXPECT_EQ(static_cast<unsigned char>(plugin[2]) * 256 + static_cast<unsigned char>(plugin[3]), 8u);
}

TEST_F(CliTest, CorruptPluginIsReportedByVerifyAndSkippedByList) {
    ok({"new", "mons", "Ogre"});
    ok({"build-plugin", "Damaged", "mons/Ogre"});
    std::string plugin = folder.read_file("plugins/Damaged");
    const std::string intact = plugin;
    set_byte(plugin, plugin.size() - 1, static_cast<unsigned char>(plugin.back()) ^ 0xFF);  // tag data
    set_byte(plugin, 40, 'X');                                                               // url, in the header
    folder.write_file("plugins/Damaged", plugin);
    CliRun verified = cli({"verify"});
    EXPECT_EQ(verified.status, 1);
    EXPECT_TRUE(contains(verified.out, "plugins/Damaged: data checksum is ")) << verified.out;
    EXPECT_TRUE(contains(verified.out, "plugins/Damaged: header checksum is ")) << verified.out;
    EXPECT_EQ(std::count(verified.out.begin(), verified.out.end(), '\n'), 2);

    // A tag header whose size runs past the file.
    plugin = intact;
    set_byte(plugin, 128 + 48, 0x7F);
    folder.write_file("plugins/Damaged", plugin);
    verified = cli({"verify", "plugins/Damaged"});
    EXPECT_EQ(verified.status, 1);
    EXPECT_TRUE(contains(verified.out, "tag 0 'Ogre': its size")) << verified.out;
    const CliRun listed = cli({"list"});
    EXPECT_EQ(listed.status, 0) << listed.err;
    EXPECT_TRUE(contains(listed.err, "found an invalid tag")) << listed.err;
    EXPECT_TRUE(contains(listed.out, "local/monsters/Ogre")) << listed.out;

    // Cut short: the file size no longer matches.
    folder.write_file("plugins/Damaged", intact.substr(0, intact.size() - 10));
    verified = cli({"verify", "plugins/Damaged"});
    EXPECT_TRUE(contains(verified.out, "but the file has")) << verified.out;
    EXPECT_EQ(cli({"list"}).status, 0);
    folder.write_file("plugins/Damaged", intact.substr(0, 60));
    verified = cli({"verify", "plugins/Damaged"});
    EXPECT_EQ(verified.out, "plugins/Damaged: too short for a monolithic header (60 bytes)\n");
}

TEST_F(CliTest, DamagedFoundationFileIsNotLoaded) {
    ok({"new", "mons", "Ogre"});
    ok({"rebuild-foundation"});
    ok({"delete", "mons/Ogre"});
    EXPECT_TRUE(contains(ok({"list"}), "tags/small install"));
    std::string foundation = folder.read_file("tags/small install");
    set_byte(foundation, 128 + 60, 'x');  // the tag header's signature
    folder.write_file("tags/small install", foundation);
    const CliRun listed = cli({"list", "--json"});
    EXPECT_EQ(listed.status, 0);
    EXPECT_EQ(listed.out, "[]\n");
    EXPECT_TRUE(contains(listed.err, "warning: found an invalid tag")) << listed.err;
}

// A working folder that cannot be written is read, and writers say why they
// cannot write rather than taking it for one in use.
TEST_F(CliTest, ReadOnlyWorkingFolderIsReadAndWritersSayWhy) {
    ok({"new", "mons", "Ogre"});
    const std::string ogre = to_string(raw("mons/Ogre"));
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder.path())) {
        std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
                                                       std::filesystem::perms::others_write,
                                     std::filesystem::perm_options::remove);
    }
    std::filesystem::permissions(folder.path(), std::filesystem::perms::owner_write, std::filesystem::perm_options::remove);
    const std::string sentence = "The working folder '" + std::filesystem::current_path().string() +
                                 "' cannot be written (read-only): tags can be looked at but not changed.";
    const bool behaved = test_support::run_unprivileged(folder.path(), [&] {
        const CliRun listed = run_cli({"list"});
        const CliRun exported = run_cli({"export", "mons/Ogre", "--raw"});
        const CliRun created = run_cli({"new", "mons", "Troll"});
        const bool good = listed.status == 0 && contains(listed.out, "Ogre") && exported.status == 0 &&
                          exported.out == ogre && created.status == 1 && contains(created.err, sentence);
        if (!good) std::fprintf(stderr, "list: %s%s\nnew: %s\n", listed.out.c_str(), listed.err.c_str(), created.err.c_str());
        return good;
    });
    std::filesystem::permissions(folder.path(), std::filesystem::perms::owner_all, std::filesystem::perm_options::add);
    EXPECT_TRUE(behaved);
}

TEST_F(CliTest, WritersAreRefusedWhileAnotherProcessHoldsTheLock) {
    ok({"new", "mons", "Ogre"});
    int claimed[2];
    int release[2];
    ASSERT_EQ(pipe(claimed), 0);
    ASSERT_EQ(pipe(release), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        close(release[1]);
        const char answer = claim_instance_lock() ? 'y' : 'n';
        (void)!write(claimed[1], &answer, 1);
        char ignored;
        (void)!read(release[0], &ignored, 1);
        _exit(0);
    }
    close(release[0]);
    close(claimed[1]);
    // A child that died or hangs must fail the test, not stall it.
    struct ChildGuard {
        pid_t pid;
        ~ChildGuard() {
            if (pid > 0 && waitpid(pid, nullptr, WNOHANG) == 0) {
                kill(pid, SIGKILL);
                waitpid(pid, nullptr, 0);
            }
        }
    } guard{child};
    pollfd ready{claimed[0], POLLIN, 0};
    ASSERT_EQ(poll(&ready, 1, 30000), 1) << "the child never answered";
    char answer = 0;
    ASSERT_EQ(read(claimed[0], &answer, 1), 1);
    ASSERT_EQ(answer, 'y');
    for (const std::vector<std::string>& writer :
         {std::vector<std::string>{"new", "mons", "Troll"}, {"delete", "mons/Ogre"}, {"rebuild-foundation"}}) {
        const CliRun refused = cli(writer);
        EXPECT_EQ(refused.status, 1) << writer[0];
        EXPECT_TRUE(contains(refused.err, "the working folder is in use")) << refused.err;
    }
    EXPECT_TRUE(contains(ok({"list"}), "Ogre")) << "readers take no lock";
    EXPECT_EQ(cli({"info", "mons/Troll"}).status, 1) << "nothing was created";
    close(release[1]);
    int status = 0;
    waitpid(child, &status, 0);
    ok({"new", "mons", "Troll"});
}

TEST_F(CliTest, ImportChecksEveryFieldAndWritesNothingOnError) {
    ok({"new", "proj", "Arrow"});
    const std::vector<std::byte> before = raw("proj/Arrow");
    std::string document = ok({"export", "proj/Arrow"});
    const auto replace = [&](const std::string& from, const std::string& to) {
        const std::size_t at = document.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        document.replace(at, from.size(), to);
    };
    replace("\"volume\": ", "\"volume\": \"Deafening\", \"unknown_field\": 1, \"old_volume\": ");
    folder.write_file("bad.json", document);
    const CliRun refused = cli({"import", "proj/Arrow", "bad.json"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(contains(refused.err, "fields.volume: \"Deafening\" is not one of")) << refused.err;
    EXPECT_TRUE(contains(refused.err, "fields.unknown_field: no such field")) << refused.err;
    EXPECT_TRUE(contains(refused.err, "fields.old_volume: no such field")) << refused.err;
    EXPECT_EQ(raw("proj/Arrow"), before);

    folder.write_file("broken.json", "{\"group\": \"proj\",\n  \"fields\": [1 2]}");
    const CliRun broken = cli({"import", "proj/Arrow", "broken.json"});
    EXPECT_EQ(broken.status, 1);
    EXPECT_TRUE(contains(broken.err, "broken.json: line 2, column 16: expected ',' or ']'")) << broken.err;
    EXPECT_EQ(raw("proj/Arrow"), before);

    const CliRun wrong_group = cli({"import", "mons/Arrow", "-"}, ok({"export", "proj/Arrow"}));
    EXPECT_EQ(wrong_group.status, 1);
}

TEST_F(CliTest, ImportMakesAMonolithicTagLocal) {
    ok({"new", "mons", "Ogre"});
    ok({"rebuild-foundation"});
    ok({"delete", "mons/Ogre"});
    std::string bytes = to_string(raw("mons/Ogre"));
    set_byte(bytes, 3, 0x02);
    folder.write_file("ogre.bin", bytes);
    EXPECT_TRUE(contains(ok({"import", "mons/Ogre", "ogre.bin", "--raw"}), "(now a local tag)"));
    EXPECT_TRUE(contains(ok({"info", "mons/Ogre"}), "local/monsters/Ogre"));
    EXPECT_EQ(to_string(raw("mons/Ogre")), bytes);
    EXPECT_EQ(cli({"delete", "mons/Missing"}).status, 1);
}

TEST_F(CliTest, DemoFolderShowsLocalOverMonolithicPrecedence) {
    ok({"demo", "demo"});
    const std::string listed = ok({"-C", "demo", "list", "--group", "monsters"});
    EXPECT_TRUE(contains(listed, "Alpha  1024  1        small install  local       local/monsters/Alpha"))
        << listed;
    EXPECT_TRUE(contains(listed, "Beta   1024  1        small install  foundation  tags/small install"))
        << listed;
    EXPECT_TRUE(contains(ok({"-C", "demo", "list", "--group", ".256"}), "Demo Figure"));
    EXPECT_EQ(cli({"-C", "demo", "verify"}).status, 0);
    const std::string sprite = ok({"-C", "demo", "export", "mons/Beta"});
    EXPECT_TRUE(contains(sprite, "\"collection\": \"Demo Figure\"")) << "references are written by name";
    const CliRun again = cli({"demo", "demo"});
    EXPECT_EQ(again.status, 1);
    EXPECT_TRUE(contains(again.err, "not an empty folder"));
}

// The monster and artifact collection pickers keep collections whose user data
// has bit 2, the projectile picker bit 4, the scenery reference picker bit 8.
TEST_F(CliTest, DemoCollectionCarriesTheUserDataItsPickersAskFor) {
    ok({"demo", "demo"});
    const std::string info = ok({"-C", "demo", "info", ".256/Demo Figure", "--json"});
    const std::size_t at = info.find("\"user_data\": ");
    ASSERT_NE(at, std::string::npos) << info;
    const unsigned long user_data = std::stoul(info.substr(at + 13));
    for (const unsigned long bits : {2ul, 4ul, 8ul}) EXPECT_EQ(user_data & bits, bits) << info;
}

TEST_F(CliTest, FoundationRebuildCountsWhatItWritesAndKeepsWhatOnlyTheFoundationHolds) {
    ok({"new", "mons", "Ogre"});
    ok({"new", "pref", "Settings"});  // destination 0, but preferences are never packaged
    EXPECT_TRUE(contains(ok({"rebuild-foundation"}), "wrote tags/small install (1 tag)\n"));
    EXPECT_EQ(folder.read_file("tags/small install").substr(102, 2), std::string("\0\1", 2))
        << "its tag count";

    ok({"delete", "mons/Ogre"});
    const std::string before = folder.read_file("tags/small install");
    const CliRun refused = cli({"rebuild-foundation"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(contains(refused.err, "would lose 1 tag that only the foundation files hold (monsters/Ogre)"))
        << refused.err;
    EXPECT_EQ(folder.read_file("tags/small install"), before);
    ok({"rebuild-foundation", "--force"});
    EXPECT_FALSE(contains(ok({"list"}), "Ogre"));

    ok({"demo", "demo"});
    const CliRun demo = cli({"-C", "demo", "rebuild-foundation"});
    EXPECT_EQ(demo.status, 1);
    EXPECT_TRUE(contains(demo.err, "tags that only the foundation files hold (")) << demo.err;
    EXPECT_TRUE(contains(demo.err, ", ...); ")) << "only the first few are named: " << demo.err;
}

TEST_F(CliTest, ImportRefusesShortRawDataAndCountsBeyondTheirArrays) {
    ok({"new", "mons", "Dwarf"});
    const std::vector<std::byte> before = raw("mons/Dwarf");
    folder.write_file("short.bin", std::string(10, 'x'));
    const CliRun refused = cli({"import", "mons/Dwarf", "short.bin", "--raw"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(
        contains(refused.err, "short.bin holds 10 bytes, less than the 1024 bytes of a monsters record"))
        << refused.err;
    EXPECT_EQ(raw("mons/Dwarf"), before);
    EXPECT_TRUE(contains(ok({"import", "mons/Dwarf", "short.bin", "--raw", "--force"}), "imported 10 bytes"));

    ok({"new", "mons", "Wight"});
    const std::string document = ok({"export", "mons/Wight"});
    const std::size_t count_at = document.find("\"attack_count\": ");
    ASSERT_NE(count_at, std::string::npos);
    const std::size_t value_at = count_at + std::string("\"attack_count\": ").size();
    for (const char* count : {"9", "-3"}) {
        std::string changed = document;
        changed.replace(value_at, changed.find_first_of(",\n", value_at) - value_at, count);
        const CliRun beyond = cli({"import", "mons/Wight", "-"}, changed);
        EXPECT_EQ(beyond.status, 1);
        EXPECT_TRUE(
            contains(beyond.err, std::string("fields.attack_count: ") + count + " is out of range (0 to 4)"))
            << beyond.err;
    }
}

TEST_F(CliTest, MessagesNameFilesAsTheUserKnowsThem) {
    ok({"new", "mons", "Ogre"});
    const CliRun nowhere = cli({"export", "mons/Ogre", "-o", "no folder/ogre.json"});
    EXPECT_EQ(nowhere.status, 1);
    EXPECT_TRUE(contains(nowhere.err, "cannot create 'no folder/ogre.json'")) << nowhere.err;
    EXPECT_TRUE(contains(ok({"build-plugin", "Ogres", "mons/Ogre"}), "plugins/Ogres (1 tag)"));

    ok({"rebuild-foundation"});
    std::string foundation = folder.read_file("tags/small install");
    set_byte(foundation, 128 + 60, 'x');  // the tag header's signature
    folder.write_file("tags/small install", foundation);
    const CliRun listed = cli({"list"});
    EXPECT_TRUE(contains(listed.err, "found an invalid tag in the monolithic file 'tags/small install'"))
        << listed.err;
}

TEST_F(CliTest, WritersRemoveTheLeftoversOfKilledWrites) {
    ok({"new", "mons", "Ogre"});
    folder.write_file("local/monsters/.~tessary-a1b2c3", "a tag write that was killed");
    folder.write_file("plugins/.~tessary-d4e5f6", "a plugin build that was killed");
    ok({"list"});
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "plugins/.~tessary-d4e5f6")) << "readers change nothing";
    ok({"new", "mons", "Troll"});
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "local/monsters/.~tessary-a1b2c3"));
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "plugins/.~tessary-d4e5f6"));
    EXPECT_TRUE(contains(folder.read_file("kelvo_log.txt"),
                         "removed the stale temporary file 'plugins\\.~tessary-d4e5f6'"));
}

TEST_F(CliTest, EveryCommandHasHelpAndUsageErrorsExitWithTwo) {
    const std::string overview = ok({"--help"});
    for (const char* command : {"list", "info", "new", "export", "import", "delete", "diff", "build-plugin",
                                "rebuild-foundation", "verify", "demo"}) {
        EXPECT_TRUE(contains(overview, std::string("  ") + command + " ")) << command;
        EXPECT_TRUE(ok({command, "--help"}).starts_with(std::string("usage: tessary-cli [-C DIR] ") + command));
    }
    EXPECT_EQ(cli({"frobnicate"}).status, 2);
    EXPECT_EQ(cli({"info"}).status, 2);
    EXPECT_EQ(cli({"export", "mons/x", "--raw", "--json"}).status, 2);
    EXPECT_EQ(cli({"list", "--group", "nothing"}).status, 1);
    const CliRun outside = cli({"list"});
    EXPECT_EQ(outside.status, 1) << "the test folder is not a working folder yet";
    EXPECT_TRUE(contains(outside.err, "not a working folder"));
}

TEST_F(CliTest, VersionIsTheProjectVersionWithoutAWorkingFolder) {
    const std::string version = ok({"--version"});
    EXPECT_TRUE(version.starts_with("tessary-cli " TESSARY_PROJECT_VERSION)) << version;
    EXPECT_TRUE(version.ends_with("\n")) << version;
    EXPECT_EQ(ok({"-C", "nowhere", "--version"}), version) << "the version needs no working folder";
    EXPECT_TRUE(contains(ok({"--help"}), "--version"));
}

}  // namespace
}  // namespace cli_test
