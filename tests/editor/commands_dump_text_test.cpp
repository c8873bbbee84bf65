#include "editor_fixture.h"
#include "test_form.h"

#include "editor/frame_commands.h"
#include "editor/quillet_frame_wnd.h"
#include "editor/tag_group_registry.h"
#include "tag_files/tag_editing.h"
#include "tag_files/tag_groups.h"

#include <QStatusBar>
#include <QAction>
#include <QTreeWidget>

#include <filesystem>

namespace editor_test {
namespace {

QTreeWidgetItem* child_named(QTreeWidgetItem* group_item, const QString& name) {
    for (int index = 0; index < group_item->childCount(); ++index) {
        if (group_item->child(index)->text(0) == name) return group_item->child(index);
    }
    return nullptr;
}

class DumpTextTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        for (const char* name : {"Zebra", "alpha", "Beta"}) create_default_tag(monsters, name);
    }

    QAction* dump_action(CQuilletFrameWnd& frame) {
        frame.update_command_states();
        return frame.command_action(command_id::dump_text);
    }

    const EditorRegistration monster_editor{monsters, &TestForm::create};
};

TEST_F(DumpTextTest, MenuTextNamesTheSelectedGroupAndNeedsAForm) {
    services.set_shift_held(true);  // so that a group without a form is in the tree
    CQuilletFrameWnd frame;
    const struct Case {
        QTreeWidgetItem* selection;
        const char* text;
        bool enabled;
    } cases[] = {
        {nullptr, "Dump text for group", false},
        {frame.find_group_item(monsters), "Dump text for \"monsters\"", true},
        {child_named(frame.find_group_item(monsters), "Beta"), "Dump text for \"monsters\"", true},
        {frame.find_group_item(collections), "Dump text for \"collections\"", false},
    };
    for (const Case& c : cases) {
        frame.tree()->setCurrentItem(c.selection);
        QAction* action = dump_action(frame);
        EXPECT_EQ(action->text(), QString::fromLatin1(c.text));
        EXPECT_EQ(action->isEnabled(), c.enabled) << c.text;
    }
}

TEST_F(DumpTextTest, WritesOneLinePerTagInSlotOrder) {
    CQuilletFrameWnd frame;
    frame.tree()->setCurrentItem(child_named(frame.find_group_item(monsters), "alpha"));
    frame.run_command(command_id::dump_text);
    EXPECT_EQ(folder.read_file("monsters.txt"), "Zebra\tzebr\r\nalpha\talph\r\nBeta\tbeta\r\n");
    ASSERT_EQ(services.messages().size(), 1u);
    EXPECT_EQ(services.messages()[0].text, QStringLiteral("Text successfully dumped!"));
    EXPECT_EQ(services.messages()[0].caption, QStringLiteral("monsters"));
    EXPECT_EQ(services.messages()[0].buttons, platform::Buttons::ok);
    EXPECT_EQ(frame.statusBar()->currentMessage(), QStringLiteral("Wrote monsters.txt"));

    // A second dump replaces the first; an empty group gives an empty file.
    tag_file_delete(tag_find(monsters, subgroup_from_name("Beta")));
    frame.populate_group(frame.find_group_item(monsters), false, NONE);
    frame.tree()->setCurrentItem(frame.find_group_item(monsters));
    frame.run_command(command_id::dump_text);
    EXPECT_EQ(folder.read_file("monsters.txt"), "Zebra\tzebr\r\nalpha\talph\r\n");
    frame.tree()->setCurrentItem(frame.find_group_item(make_tag("wind")));
    frame.run_command(command_id::dump_text);
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "wind.txt"));
    EXPECT_EQ(folder.read_file("wind.txt"), "");
}

TEST_F(DumpTextTest, FileErrorIsReportedInsteadOfSuccess) {
    std::filesystem::create_directories(folder.path() / "monsters.txt" / "in the way");
    CQuilletFrameWnd frame;
    frame.tree()->setCurrentItem(frame.find_group_item(monsters));
    frame.run_command(command_id::dump_text);
    ASSERT_FALSE(services.messages().empty());
    const platform::MessageRequest& error = services.messages()[0];
    EXPECT_EQ(error.text, QStringLiteral("An error occurred while dumping text"));
    EXPECT_EQ(error.caption, QStringLiteral("Error"));
    EXPECT_EQ(error.icon, platform::Icon::stop);
    EXPECT_FALSE(services.message_texts().contains(QStringLiteral("Text successfully dumped!")));
}

}  // namespace
}  // namespace editor_test
