#pragma once

#include "core/error_manager.h"
#include "support/working_folder.h"
#include "tag_files/tag_directory.h"

#include <gtest/gtest.h>

namespace test_support {

// A test whose tag file system is open over an empty working folder of its own.
class OpenTagFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        initialize_error_manager("tests");
        tag_files_initialize();
        ASSERT_TRUE(tag_files_open(false, nullptr, 0, NONE));
    }
    void TearDown() override { tag_files_close(); }

    WorkingFolder folder;
};

}  // namespace test_support
