#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "core/file_layer.h"
#include "tag_files/instance_lock.h"
#include "tag_files/tag_data.h"
#include "tag_files/tag_directory.h"
#include "tag_files/tag_editing.h"
#include "tag_fixtures.h"

namespace {

using namespace tag_fixtures;

// Runs body in a child process that reports one byte through a pipe and then
// waits to be killed; returns the child's id and the byte.
pid_t run_child(char& reported, bool (*body)()) {
    int channel[2];
    if (pipe(channel) != 0) return -1;
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        const char answer = body() ? '1' : '0';
        if (write(channel[1], &answer, 1) != 1) _exit(2);
        for (;;) pause();
    }
    close(channel[1]);
    if (read(channel[0], &reported, 1) != 1) reported = '?';
    close(channel[0]);
    return child;
}

void kill_child(pid_t child) {
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
}

class InstanceLock : public DirectoryTest {
protected:
    void TearDown() override {
        release_instance_lock();
        DirectoryTest::TearDown();
    }
};

TEST_F(InstanceLock, ASecondProgramIsRefusedAndACrashedOneDoesNotBlock) {
    char reported = 0;
    const pid_t holder = run_child(reported, claim_instance_lock);
    ASSERT_GT(holder, 0);
    EXPECT_EQ(reported, '1');
    EXPECT_FALSE(claim_instance_lock()) << "the running holder keeps the lock";
    kill_child(holder);
    EXPECT_TRUE(claim_instance_lock()) << "a killed holder left its lock file but not its lock";

    // Any other opener of the lock file for writing is refused while it is held.
    file_reference lock_file;
    file_reference_initialize(lock_file, working_folder_root);
    file_reference_set_name(lock_file, "local\\kelvo2");
    EXPECT_FALSE(open_file(lock_file, open_for_writing));

    release_instance_lock();
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "local" / "kelvo2"));
}

// Saves of a large tag killed at random moments leave the old or the new content,
// never a mixture or a short file.
class CrashSafety : public DirectoryTest {
protected:
    static constexpr std::size_t large = 3 << 20;

    void SetUp() override {
        DirectoryTest::SetUp();
        ASSERT_TRUE(open_directory());
        first = std::string(large, 'A');
        second = std::string(large + 4096, 'B');
        tag_handle handle = tag_file_create(monsters, "Big", 1);
        ASSERT_TRUE(tag_replace_data(handle, first.data(), static_cast<std::int32_t>(first.size())));
        tag_file_close_local();
    }

    // Saves forever, alternating the two contents, in the way chosen.
    [[noreturn]] void save_forever(bool whole_replacement) {
        tag_handle handle = tag_find(monsters, make_tag("big "));
        for (int round = 0;; ++round) {
            const std::string& content = round % 2 ? first : second;
            if (whole_replacement) {
                tag_replace_data(handle, content.data(), static_cast<std::int32_t>(content.size()));
            } else {
                tag_file_write(handle, 0, static_cast<std::int32_t>(first.size()), content.data());
            }
            tag_file_close_local();
        }
    }

    void kill_saves(bool whole_replacement) {
        for (int attempt = 0; attempt < 8; ++attempt) {
            const pid_t child = fork();
            ASSERT_GE(child, 0);
            if (child == 0) save_forever(whole_replacement);
            std::this_thread::sleep_for(std::chrono::milliseconds(15 + 23 * attempt));
            kill_child(child);

            const std::string stored = folder.read_file("local/monsters/Big");
            ASSERT_GE(stored.size(), 64u);
            const std::string data = stored.substr(64);
            // A partial write puts the first bytes of the second content over the first.
            const bool old_or_new = data == first || data == (whole_replacement ? second : second.substr(0, large));
            EXPECT_TRUE(old_or_new) << "attempt " << attempt << ": " << data.size() << " bytes";

            ASSERT_TRUE(open_directory());
            const tag_handle handle = tag_find(monsters, make_tag("big "));
            ASSERT_NE(handle, NONE) << "the tag is still found after the crash";
            EXPECT_EQ(tag_get_size(handle), static_cast<std::int32_t>(data.size()));
        }
    }

    std::string first;
    std::string second;
};

TEST_F(CrashSafety, KilledWholeReplacementsLeaveOldOrNewContent) { kill_saves(true); }

TEST_F(CrashSafety, KilledPartialWritesLeaveOldOrNewContent) { kill_saves(false); }

}  // namespace
