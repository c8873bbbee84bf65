#include <gtest/gtest.h>

#include "tag_files/slot_table.h"

namespace {

struct record {
    std::int16_t identifier;
    std::int16_t value;
};

TEST(SlotTable, TakesTheLowestFreeSlotWithAFreshIdentifier) {
    typed_slot_table<record> table("test", 3);
    ASSERT_TRUE(table.create());
    const std::int32_t first = table.take();
    const std::int32_t second = table.take();
    EXPECT_EQ(slot_handle_index(first), 0);
    EXPECT_EQ(slot_handle_index(second), 1);
    EXPECT_EQ(static_cast<std::uint16_t>(slot_handle_identifier(first)), 0x8000);
    EXPECT_EQ(static_cast<std::uint16_t>(slot_handle_identifier(second)), 0x8001);
    table.for_handle(first)->value = 7;

    table.release(0);
    EXPECT_EQ(table.for_handle(first), nullptr) << "a released slot no longer answers its handle";
    const std::int32_t reused = table.take();
    EXPECT_EQ(slot_handle_index(reused), 0);
    EXPECT_NE(reused, first);
    EXPECT_EQ(table.for_handle(first), nullptr) << "a stale identifier does not match the new occupant";
    EXPECT_EQ(table.at(0)->value, 0) << "a taken slot is cleared";

    EXPECT_NE(table.take(), slot_none);
    EXPECT_EQ(table.take(), slot_none) << "full";
    EXPECT_EQ(table.count(), 3);
}

TEST(SlotTable, HighWaterMarkDropsPastTrailingFreeSlots) {
    typed_slot_table<record> table("test", 4);
    ASSERT_TRUE(table.create());
    for (int index = 0; index < 3; ++index) table.take();
    table.release(1);
    EXPECT_EQ(table.high_water_mark(), 3);
    table.release(2);
    EXPECT_EQ(table.high_water_mark(), 1);
    table.release(2);  // already free
    EXPECT_EQ(table.count(), 1);
}

TEST(SlotTable, RefusesHandlesThatNameNoSlotInUse) {
    typed_slot_table<record> table("test", 2);
    ASSERT_TRUE(table.create());
    const std::int32_t handle = table.take();
    EXPECT_EQ(table.for_handle(slot_none), nullptr);
    EXPECT_EQ(table.for_handle(make_slot_handle(1, slot_handle_identifier(handle))), nullptr);
    EXPECT_EQ(table.for_handle(make_slot_handle(0x7FFF, slot_handle_identifier(handle))), nullptr);
    EXPECT_EQ(table.at(-1), nullptr);
    EXPECT_EQ(table.at(2), nullptr);

    table.clear();
    EXPECT_EQ(table.for_handle(handle), nullptr);
    EXPECT_EQ(table.take(), handle) << "clearing restarts the identifiers";
}

TEST(SlotTable, IdentifiersWrapWithoutEverBeingZero) {
    typed_slot_table<record> table("test", 1);
    ASSERT_TRUE(table.create());
    for (int round = 0; round < 0x8001; ++round) {
        const std::int32_t handle = table.take();
        ASSERT_NE(slot_handle_identifier(handle), 0);
        table.release(0);
    }
    EXPECT_EQ(static_cast<std::uint16_t>(slot_handle_identifier(table.take())), 0x8000 + 1);
}

}  // namespace
