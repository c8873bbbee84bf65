#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "core/error_manager.h"
#include "core/exit_procedures.h"
#include "core/memory.h"
#include "core/sort.h"
#include "core/warnings.h"
#include "support/working_folder.h"

namespace {

struct named_record {
    char name[7];
    int32_t order;
};

int compare_names(const void* first, const void* second) {
    return std::strcmp(static_cast<const named_record*>(first)->name,
                       static_cast<const named_record*>(second)->name);
}

int compare_integers(const void* first, const void* second) {
    const int32_t a = *static_cast<const int32_t*>(first);
    const int32_t b = *static_cast<const int32_t*>(second);
    return (a > b) - (a < b);
}

TEST(SortRecords, SortsRecordsOfAnySizeAscending) {
    std::vector<named_record> records = {{"ogre", 0}, {"Troll", 1}, {"giant", 2}, {"ant", 3}, {"ogre", 4}};
    sort_records(records.data(), static_cast<int32_t>(records.size()), sizeof(named_record), compare_names);
    std::vector<std::string> names;
    for (const named_record& record : records) names.emplace_back(record.name);
    EXPECT_EQ(names, (std::vector<std::string>{"Troll", "ant", "giant", "ogre", "ogre"}));

    std::mt19937 generator(7);
    for (const int32_t count : {0, 1, 2, 3, 64, 1001}) {
        std::vector<int32_t> values(static_cast<std::size_t>(count));
        for (int32_t& value : values) value = static_cast<int32_t>(generator() % 50) - 25;
        std::vector<int32_t> expected = values;
        std::sort(expected.begin(), expected.end());
        sort_records(values.data(), count, sizeof(int32_t), compare_integers);
        EXPECT_EQ(values, expected) << count;
    }
}

TEST(Memory, BlocksAreZeroFilledAndKnowTheirSize) {
    auto* block = static_cast<unsigned char*>(allocate_memory(100));
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(memory_size(block), 100u);
    EXPECT_TRUE(std::all_of(block, block + 100, [](unsigned char byte) { return byte == 0; }));
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(block) % alignof(std::max_align_t), 0u);
    std::memset(block, 0xAB, 100);

    EXPECT_EQ(resize_memory(block, 100), block) << "the same size keeps the block";
    block = static_cast<unsigned char*>(resize_memory(block, 5000));
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(memory_size(block), 5000u);
    EXPECT_EQ(block[99], 0xAB);
    block = static_cast<unsigned char*>(resize_memory(block, 10));
    EXPECT_EQ(memory_size(block), 10u);
    EXPECT_EQ(resize_memory(block, 0), nullptr);

    EXPECT_EQ(resize_memory(nullptr, 0), nullptr);
    void* fresh = resize_memory(nullptr, 8);
    EXPECT_EQ(memory_size(fresh), 8u);
    dispose_pointer(fresh);
    EXPECT_EQ(allocate_memory(SIZE_MAX - 4), nullptr) << "a shortage is answered with no block";
    void* empty = allocate_memory(0);
    EXPECT_NE(empty, nullptr);
    EXPECT_EQ(memory_size(empty), 0u);
    dispose_pointer(empty);
    dispose_pointer(nullptr);
}

int shown_warnings = 0;
std::string last_warning;
int record_warning(const char* text) {
    ++shown_warnings;
    last_warning = text;
    return 7;
}

TEST(Warnings, GoToTheInstalledHookWithTheFormattedText) {
    set_warning_hook(record_warning);
    EXPECT_EQ(display_warning("We don't support %d channel sounds.", 3), 7);
    EXPECT_EQ(last_warning, "We don't support 3 channel sounds.");
    set_warning_hook(nullptr);
    testing::internal::CaptureStderr();
    EXPECT_EQ(display_warning("Plug-in file build failed!"), warning_button_ok);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Plug-in file build failed!\n");
    EXPECT_EQ(shown_warnings, 1);
}

TEST(Warnings, NonFatalAssertionsAreReportedAsWarnings) {
    const test_support::WorkingFolder folder;
    initialize_error_manager("tests");
    assert_failure(nullptr, "k.cpp", 13, false);
    EXPECT_EQ(pending_error_kind(), error_warning);
    EXPECT_EQ(error_text(), "<no reason given>\n");
    assert_failure("index in range", "k.cpp", 14, false);
    EXPECT_EQ(error_text(), "<no reason given>\nindex in range\n");
    EXPECT_EQ(debug_output("ignored"), 0);
    clear_error();
}

void do_nothing() {}

TEST(ExitProceduresDeathTest, AtMostSixteenAreKept) {
    // The error manager takes one place of its own.
    const test_support::WorkingFolder folder;
    initialize_error_manager("tests");
    EXPECT_EXIT(
        {
            int accepted = 0;
            while (accepted < 20 && register_exit_procedure(__FILE__, __LINE__, do_nothing)) ++accepted;
            exit_program(accepted);
        },
        testing::ExitedWithCode(maximum_exit_procedures - 1), "");
}

}  // namespace
