// Taking a change to tags back and making it again: after Undo every file of the
// local folder and every visible tag is as before the change, after Redo as
// after it, whatever the kind of change.

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <string>

#include "core/tag_code.h"
#include "core/text.h"
#include "tag_files/tag_data.h"
#include "tag_files/tag_directory.h"
#include "tag_files/tag_editing.h"
#include "tag_files/tag_history.h"
#include "tag_fixtures.h"

namespace {

using namespace tag_fixtures;
namespace fs = std::filesystem;

constexpr tag_code ogre = make_tag("ogre");
constexpr tag_code troll = make_tag("trol");

// What a user could see of the folder: every local file's bytes, and the file
// type and name of every visible monster.
struct FolderView {
    std::map<std::string, std::string> files;
    std::map<tag_code, std::pair<std::int16_t, std::string>> visible;
    bool operator==(const FolderView&) const = default;
};

void PrintTo(const FolderView& view, std::ostream* out) {
    for (const auto& [path, bytes] : view.files) *out << "\n  " << path << ": " << testing::PrintToString(bytes);
    for (const auto& [subgroup, seen] : view.visible)
        *out << "\n  visible " << printable_code_text(subgroup) << " type " << seen.first << " " << seen.second;
}

class TagHistoryTest : public DirectoryTest {
protected:
    void SetUp() override {
        DirectoryTest::SetUp();
        folder.write_file("tags/small install", monolithic_file(3, {{"Troll", monsters, troll, "troll bytes"}}));
        tag_header header = local_header(monsters, ogre);
        std::strcpy(header.name, "Ogre");
        header.version = 3;
        header.user_data = 7;
        write_local_tag(monsters, "Ogre", header, "ogre bytes");
        ASSERT_TRUE(open_directory());
    }

    FolderView view() const {
        FolderView seen;
        for (const auto& entry : fs::recursive_directory_iterator(folder.path() / "local")) {
            if (entry.is_regular_file())
                seen.files[entry.path().lexically_relative(folder.path()).string()] =
                    folder.read_file(entry.path().lexically_relative(folder.path()).string());
        }
        for (std::int32_t n = 0; n < tag_count_of_group(monsters); ++n) {
            const tag_handle handle = tag_get_nth_of_group(monsters, n);
            seen.visible[tag_get_subgroup(handle)] = {tag_get_file_type(handle), tag_get_name(handle)};
        }
        return seen;
    }

    tag_history::Step record(const std::function<void()>& change) {
        tag_history::Recorder recorder;
        change();
        tag_file_close_local();
        EXPECT_TRUE(recorder.complete());
        return recorder.finish();
    }

    static tag_handle find(tag_code subgroup) { return tag_find(monsters, subgroup); }
};

TEST_F(TagHistoryTest, UndoAndRedoGiveBackTheFolderOfEveryKindOfChange) {
    const struct Case {
        const char* what;
        std::function<void()> change;
        std::size_t tags;
    } cases[] = {
        {"save", [] {
             tag_handle handle = find(ogre);
             ASSERT_TRUE(tag_replace_data(handle, "new ogre bytes, longer", 22));
             ASSERT_TRUE(tag_set_user_data(handle, 99));
         }, 1},
        {"new", [] {
             tag_handle handle = tag_file_create(monsters, "Dwarf", 1);
             ASSERT_NE(handle, NONE);
             ASSERT_TRUE(tag_file_write(handle, 0, 5, "dwarf"));
         }, 1},
        {"delete", [] { ASSERT_TRUE(tag_file_delete(find(ogre))); }, 1},
        {"rename and destination", [] {
             tag_handle handle = find(ogre);
             tag_info info;
             ASSERT_TRUE(tag_get_info(handle, &info));
             copy_text(info.name, "Giant");
             info.destination = 2;
             ASSERT_TRUE(tag_set_info(handle, &info));
         }, 1},
        {"edit of a monolithic tag", [] {
             tag_handle handle = find(troll);
             ASSERT_TRUE(tag_file_write(handle, 0, 5, "TROLL"));
         }, 1},
        {"new over a local tag of the same name", [] { ASSERT_NE(tag_file_create(monsters, "ogre", 5), NONE); }, 1},
        {"two tags in one step", [] {
             ASSERT_TRUE(tag_file_delete(find(ogre)));
             tag_handle handle = find(troll);
             ASSERT_TRUE(tag_rename(handle, "Ogre"));
         }, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const FolderView before = view();
        const tag_history::Step step = record(c.change);
        const FolderView after = view();
        ASSERT_NE(after, before);
        EXPECT_EQ(step.changes.size(), c.tags);
        std::string reason;
        ASSERT_TRUE(step.undo(reason)) << reason;
        EXPECT_EQ(view(), before);
        ASSERT_TRUE(step.redo(reason)) << reason;
        EXPECT_EQ(view(), after);
        ASSERT_TRUE(step.undo(reason)) << reason;
        ASSERT_EQ(view(), before) << "each case starts from the same folder";
    }
}

TEST_F(TagHistoryTest, FiveMixedStepsGoBackInTurnAndComeAgain) {
    std::vector<FolderView> views{view()};
    std::vector<tag_history::Step> steps;
    const std::function<void()> changes[] = {
        [] { tag_handle h = tag_file_create(monsters, "Dwarf", 1); ASSERT_TRUE(tag_file_write(h, 0, 3, "abc")); },
        [] { tag_handle h = find(troll); ASSERT_TRUE(tag_replace_data(h, "x", 1)); },
        [] { tag_handle h = tag_find(monsters, make_tag("dwar")); ASSERT_TRUE(tag_rename(h, "Dwarf Lord")); },
        [] { ASSERT_TRUE(tag_file_delete(find(ogre))); },
        [] { tag_handle h = find(troll); ASSERT_TRUE(tag_set_destination(h, 1)); },
    };
    for (const auto& change : changes) {
        steps.push_back(record(change));
        views.push_back(view());
    }
    std::string reason;
    for (std::size_t n = steps.size(); n-- > 0;) {
        ASSERT_TRUE(steps[n].undo(reason)) << reason;
        EXPECT_EQ(view(), views[n]) << "after undoing step " << n;
    }
    for (std::size_t n = 0; n < steps.size(); ++n) {
        ASSERT_TRUE(steps[n].redo(reason)) << reason;
        EXPECT_EQ(view(), views[n + 1]) << "after redoing step " << n;
    }
}

TEST_F(TagHistoryTest, AnUndoThatCannotBeDoneLeavesEveryTagAsItWas) {
    // The step renames Ogre to Giant and then changes Troll; then, outside the
    // history, a new tag takes the name Ogre. Undo puts Troll back first, fails
    // on Ogre, and so must change Troll again.
    const tag_history::Step step = record([] {
        tag_handle ogre_tag = find(ogre);
        ASSERT_TRUE(tag_rename(ogre_tag, "Giant"));
        tag_handle troll_tag = find(troll);
        ASSERT_TRUE(tag_replace_data(troll_tag, "changed", 7));
    });
    ASSERT_NE(tag_file_create(monsters, "Ogre", 1), NONE);
    tag_file_close_local();
    const FolderView blocked = view();
    std::string reason;
    EXPECT_FALSE(step.undo(reason));
    EXPECT_NE(reason.find("'Ogre'"), std::string::npos) << reason;
    EXPECT_EQ(view(), blocked);
}

}  // namespace
