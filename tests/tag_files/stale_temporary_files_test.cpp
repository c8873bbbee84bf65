#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tag_files/stale_temporary_files.h"
#include "tag_fixtures.h"

namespace {

using tag_fixtures::DirectoryTest;

class StaleTemporaryFiles : public DirectoryTest {};

TEST_F(StaleTemporaryFiles, LeftoversOfKilledWritesAreRemovedAndLogged) {
    const char* stale[] = {"plugins/.~tessary-abc123", "tags/.~tessary-Q1w2E3", "local/monsters/.~tessary-zzzzzz",
                           "saved games/.~tessary-000000"};
    const char* kept[] = {"plugins/Dwarves",           "local/monsters/Ogre", "local/monsters/.~tessary-abc",
                          "tags/.~tessary-abc123.bak", "local/.~tessary-abcdef", "elsewhere/.~tessary-abcdef"};
    for (const char* path : stale) folder.write_file(path, "partial");
    for (const char* path : kept) folder.write_file(path, "whole");
    remove_stale_temporary_files();
    for (const char* path : stale) EXPECT_FALSE(std::filesystem::exists(folder.path() / path)) << path;
    for (const char* path : kept) EXPECT_TRUE(std::filesystem::exists(folder.path() / path)) << path;

    const std::string log = folder.read_file("kelvo_log.txt");
    for (const char* path : {"plugins\\.~tessary-abc123", "tags\\.~tessary-Q1w2E3",
                             "local\\monsters\\.~tessary-zzzzzz", "saved games\\.~tessary-000000"}) {
        EXPECT_NE(log.find(std::string("removed the stale temporary file '") + path + "'"), std::string::npos)
            << path << "\n" << log;
    }
}

}  // namespace
