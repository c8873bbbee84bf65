#include "puzzle/clue_pages.h"
#include "puzzle/throwing_animation.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using namespace puzzle;

CluePage numbered_page() {
    CluePage page;
    for (int slot = 0; slot < 5; ++slot) page.horizontal[static_cast<std::size_t>(slot)] = Clue{next_to, slot, slot + 10};
    return page;
}

std::vector<int> first_items(const CluePage& page) {
    std::vector<int> items;
    for (int slot = 0; slot < 6; ++slot) items.push_back(page.horizontal[static_cast<std::size_t>(slot)].a);
    return items;
}

TEST(CluePagesTest, MovingAClueShiftsTheCluesBetween) {
    CluePage page = numbered_page();
    move_clue(page, ClueList::horizontal, 0, 3);
    EXPECT_EQ(first_items(page), (std::vector<int>{1, 2, 3, 0, 4, -1}));
    move_clue(page, ClueList::horizontal, 4, 1);
    EXPECT_EQ(first_items(page), (std::vector<int>{1, 4, 2, 3, 0, -1}));
    move_clue(page, ClueList::horizontal, 1, 5);
    EXPECT_EQ(first_items(page), (std::vector<int>{1, 2, 3, 0, -1, 4}));
}

TEST(CluePagesTest, AClueSentAwayTakesTheFirstFreeSlotOfItsListOnTheOtherPage) {
    CluePages pages{numbered_page(), CluePage{}};
    pages[1].horizontal[0] = Clue{left_of, 30, 31};
    ASSERT_TRUE(send_to_other_page(pages, 0, ClueList::horizontal, 2));
    EXPECT_TRUE(pages[0].horizontal[2].empty());
    EXPECT_EQ(pages[1].horizontal[1], (Clue{next_to, 2, 12}));
    EXPECT_FALSE(send_to_other_page(pages, 0, ClueList::horizontal, 2)) << "an empty slot sends nothing";
    for (auto& slot : pages[0].vertical) slot = Clue{above, 1, 7};
    pages[1].vertical[0] = Clue{not_above, 2, 8};
    EXPECT_FALSE(send_to_other_page(pages, 1, ClueList::vertical, 0)) << "the other list is full";
    EXPECT_EQ(pages[1].vertical[0], (Clue{not_above, 2, 8}));
}

TEST(ThrowingTest, AnItemFallsUnderGravityAndBouncesWithNineTenthsOfItsSpeed) {
    ThrownItem thrown{0, 100, 400, 5, -3};
    const Area board{957, 488};
    ASSERT_TRUE(move_thrown_item(thrown, board, 50));
    EXPECT_DOUBLE_EQ(thrown.speed_y, -2);
    EXPECT_DOUBLE_EQ(thrown.y, 398);
    EXPECT_DOUBLE_EQ(thrown.x, 105);
    thrown = ThrownItem{0, 100, 437, -5, 4};  // floor at 488 - 50 = 438
    ASSERT_TRUE(move_thrown_item(thrown, board, 50));
    EXPECT_DOUBLE_EQ(thrown.y, 438);
    EXPECT_DOUBLE_EQ(thrown.speed_y, -4.5);
    thrown = ThrownItem{0, 952, 0, 6, 0};
    EXPECT_FALSE(move_thrown_item(thrown, board, 50)) << "gone at the right edge";
    thrown = ThrownItem{0, -45, 0, -6, 0};
    EXPECT_FALSE(move_thrown_item(thrown, board, 50)) << "gone at the left edge";
}

TEST(ThrowingTest, EveryItemIsThrownOnceWithSpeedsInTheirRanges) {
    GameRandom random(3);
    std::vector<ThrowingAnimation::Place> places;
    for (int item = 0; item < item_count; ++item) places.push_back({item, 100.0 + item * 20, 50.0 + item * 10});
    ThrowingAnimation animation(random, places, Area{957, 488}, 50);
    std::vector<int> order;
    int last = -1;
    for (int tick = 0; tick < 100000 && !animation.finished(); ++tick) {
        const ThrownItem* flying = animation.flying();
        ASSERT_NE(flying, nullptr);
        if (flying->item != last) {
            last = flying->item;
            order.push_back(last);
            EXPECT_GE(std::abs(flying->speed_x), 5);
            EXPECT_GE(flying->speed_x, -15);
            EXPECT_LE(flying->speed_x, 14);
            EXPECT_LE(flying->speed_y, 0);
            EXPECT_GE(flying->speed_y, -9);
            EXPECT_EQ(animation.waiting().size(), static_cast<std::size_t>(item_count) - order.size());
        }
        animation.step();
    }
    EXPECT_TRUE(animation.finished());
    EXPECT_EQ(order.size(), 36u);
    EXPECT_EQ(std::set<int>(order.begin(), order.end()).size(), 36u);
    std::vector<int> item_order(36);
    for (int item = 0; item < 36; ++item) item_order[static_cast<std::size_t>(item)] = item;
    EXPECT_NE(order, item_order) << "the order is random";
}

}  // namespace
