#include "media/shared_bytes.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::byte> bytes(std::initializer_list<int> values) {
    std::vector<std::byte> result;
    for (const int value : values) result.push_back(std::byte(value));
    return result;
}

// Copies share their bytes until one of them changes; a change never reaches
// another holder or a reader that took a share, whichever way it is made.
TEST(SharedBytes, CopiesShareUntilOneChanges) {
    const struct {
        const char* what;
        void (*change)(shared_bytes&);
        std::vector<std::byte> after;
    } changes[] = {
        {"element", [](shared_bytes& b) { b[1] = std::byte{9}; }, bytes({1, 9, 3})},
        {"data", [](shared_bytes& b) { b.data()[0] = std::byte{7}; }, bytes({7, 2, 3})},
        {"push_back", [](shared_bytes& b) { b.push_back(std::byte{4}); }, bytes({1, 2, 3, 4})},
        {"pop_back", [](shared_bytes& b) { b.pop_back(); }, bytes({1, 2})},
        {"resize", [](shared_bytes& b) { b.resize(1); }, bytes({1})},
        {"assign", [](shared_bytes& b) { b.assign(std::size_t{2}, std::byte{5}); }, bytes({5, 5})},
    };
    for (const auto& change : changes) {
        shared_bytes original(bytes({1, 2, 3}));
        const std::shared_ptr<const std::vector<std::byte>> reader = original.share();
        shared_bytes copy = original;
        EXPECT_EQ(static_cast<const shared_bytes&>(copy).data(), reader->data()) << "a copy shares";
        change.change(copy);
        EXPECT_EQ(copy, change.after) << change.what;
        EXPECT_EQ(original, bytes({1, 2, 3})) << change.what;
        EXPECT_EQ(*reader, bytes({1, 2, 3})) << change.what;
    }
    shared_bytes alone(bytes({1, 2}));
    const std::byte* before = static_cast<const shared_bytes&>(alone).data();
    alone[0] = std::byte{8};
    EXPECT_EQ(static_cast<const shared_bytes&>(alone).data(), before) << "bytes held alone change in place";
    const shared_bytes empty;
    EXPECT_TRUE(empty.empty());
    EXPECT_TRUE(empty.share()->empty());
}

}  // namespace
