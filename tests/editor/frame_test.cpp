#include "editor_fixture.h"
#include "test_form.h"

#include "editor/frame_commands.h"
#include "editor/quillet_frame_wnd.h"
#include "editor/tag_group_registry.h"
#include "tag_files/monolithic_writer.h"
#include "tag_files/tag_data.h"
#include "tag_files/tag_editing.h"
#include "tag_files/tag_groups.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>
#include <QTreeWidget>

#include <algorithm>
#include <filesystem>
#include <map>

namespace editor_test {
namespace {

QStringList root_texts(const QTreeWidget* tree) {
    QStringList texts;
    for (int index = 0; index < tree->topLevelItemCount(); ++index) texts.append(tree->topLevelItem(index)->text(0));
    return texts;
}

QStringList child_texts(const QTreeWidgetItem* item) {
    QStringList texts;
    for (int index = 0; index < item->childCount(); ++index) texts.append(item->child(index)->text(0));
    return texts;
}

QStringList action_texts(const QMenu* menu) {
    QStringList texts;
    for (const QAction* action : menu->actions()) texts.append(action->isSeparator() ? QStringLiteral("-") : action->text());
    return texts;
}

QTreeWidgetItem* child_named(QTreeWidgetItem* group_item, const QString& name) {
    for (int index = 0; index < group_item->childCount(); ++index) {
        if (group_item->child(index)->text(0) == name) return group_item->child(index);
    }
    return nullptr;
}

// Keyboard shortcuts reach only the active window.
void show_active(QWidget& window) {
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

// Handlers for the commands that other parts of the editor carry out, so
// that the frame's own enabling rules can be seen.
class LaterCommands {
public:
    LaterCommands() {
        for (const int id : {command_id::new_tag, command_id::new_in_group, command_id::duplicate,
                             command_id::delete_tag, command_id::get_info, command_id::import_overhead_map,
                             command_id::import_netmap_preview, command_id::build_plugin}) {
            registrations_.push_back(std::make_unique<FrameCommandRegistration>(
                id, FrameCommand{[this, id](CQuilletFrameWnd&) { ++runs[id]; }, {}}));
        }
    }
    std::map<int, int> runs;

private:
    std::vector<std::unique_ptr<FrameCommandRegistration>> registrations_;
};

class FrameTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        create_default_tag(monsters, "Zebra");
        create_default_tag(monsters, "alpha");
        create_default_tag(monsters, "Beta");
        create_default_tag(sounds, "thunder");
        create_tag(collections, "interface", {}, tag_group_get_version(collections));
    }

    QTreeWidgetItem* group_item(CQuilletFrameWnd& frame, tag_code group) { return frame.find_group_item(group); }
};

TEST_F(FrameTest, TreeShowsTheShownGroupsWithTheirCountsSortedIgnoringCase) {
    CQuilletFrameWnd frame;
    QStringList expected;
    for (const group_definition* row = tag_group_next(nullptr); row; row = tag_group_next(row)) {
        if (CTagGroupRegistry::is_hidden(row->group_tag)) continue;
        expected.append(QString::asprintf("%s (%d)", row->folder_name, tag_count_of_group(row->group_tag)));
    }
    std::stable_sort(expected.begin(), expected.end(),
                     [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    EXPECT_EQ(root_texts(frame.tree()), expected);
    EXPECT_TRUE(expected.contains(QStringLiteral("monsters (3)")));
    EXPECT_TRUE(expected.contains(QStringLiteral("wind (0)")));
    EXPECT_EQ(frame.find_group_item(collections), nullptr);
    EXPECT_EQ(frame.find_group_item(make_tag("reva")), nullptr);
    // A hidden group still gets the tag-name list its pickers need.
    const definitions::TagNameList* list = frame.registry().find_tag_list(collections);
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->entries.size(), 2u);
    EXPECT_EQ(list->entries[1].name, "interface");
    EXPECT_NE(frame.registry().find_tag_list(models), nullptr);
}

TEST_F(FrameTest, ShiftHeldAtStartShowsTheHiddenGroups) {
    services.set_shift_held(true);
    CQuilletFrameWnd frame;
    EXPECT_EQ(frame.tree()->topLevelItemCount(), tag_group_table_size);
    for (const char* hidden : {".256", "ditl", "bina", "geom", "mode", "pref", "prel", "reco", "save"}) {
        EXPECT_NE(frame.find_group_item(tag_code_from_text(hidden)), nullptr) << hidden;
    }
    EXPECT_TRUE(root_texts(frame.tree()).contains(QStringLiteral("collections (1)")));
}

TEST_F(FrameTest, TagItemsAreSortedIgnoringCaseWithTheirImages) {
    const EditorRegistration no_sound_editor(sounds, nullptr);  // whatever forms exist
    const EditorRegistration editor(monsters, &TestForm::create);
    CQuilletFrameWnd frame;
    QTreeWidgetItem* group = group_item(frame, monsters);
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(child_texts(group), (QStringList{"alpha", "Beta", "Zebra"}));
    EXPECT_EQ(CQuilletFrameWnd::item_image(group), tree_image_group_collapsed);
    EXPECT_EQ(CQuilletFrameWnd::item_group(group), monsters);
    QTreeWidgetItem* tag = child_named(group, "Beta");
    EXPECT_EQ(CQuilletFrameWnd::item_image(tag), tree_image_local_tag);
    EXPECT_EQ(CQuilletFrameWnd::item_subgroup(tag), subgroup_from_name("Beta"));
    EXPECT_EQ(CQuilletFrameWnd::item_group(tag), monsters);
    // A group without an editor form is drawn grey.
    EXPECT_EQ(CQuilletFrameWnd::item_image(group_item(frame, sounds)), tree_image_plain_group_collapsed);
}

TEST_F(FrameTest, MenusHoldEveryCommandWithItsTextAndAccelerator) {
    CQuilletFrameWnd frame;
    EXPECT_EQ(action_texts(frame.file_menu()),
              (QStringList{"&New Tag...\tAlt-N", "N&ew", "&Open\tEnter", "&Duplicate", "Delete\tDel", "-",
                           "Get &Info...\tAlt-I", "Import Bitmap", "Build &Plug-in File", "Rebuild &Foundation Files...", "Dump text for group", "-",
                           "Open &Working Folder...", "Open &Recent", "-", "&Quit\tAlt-Q"}));
    EXPECT_EQ(frame.file_menu()->title(), QStringLiteral("&File"));
    EXPECT_EQ(action_texts(frame.context_menu()),
              (QStringList{"&New Tag...\tAlt-N", "N&ew", "&Open\tEnter", "&Duplicate", "Delete\tDel", "-",
                           "Get &Info...\tAlt-I"}));
    const QMenu* import_menu = frame.file_menu()->actions()[7]->menu();
    ASSERT_NE(import_menu, nullptr);
    EXPECT_EQ(action_texts(import_menu), (QStringList{"Overhead Map...", "Netmap Preview..."}));

    const std::map<int, QKeySequence> accelerators = {
        {command_id::new_tag, QKeySequence(Qt::ALT | Qt::Key_N)}, {command_id::open, QKeySequence(Qt::Key_Return)},
        {command_id::delete_tag, QKeySequence(Qt::Key_Delete)},   {command_id::get_info, QKeySequence(Qt::ALT | Qt::Key_I)},
        {command_id::quit, QKeySequence(Qt::ALT | Qt::Key_Q)}};
    for (const auto& [id, keys] : accelerators) EXPECT_EQ(frame.command_action(id)->shortcut(), keys) << id;
    EXPECT_TRUE(frame.command_action(command_id::open)->shortcuts().contains(QKeySequence(Qt::Key_Enter)));
    EXPECT_TRUE(frame.command_action(command_id::duplicate)->shortcut().isEmpty());
    EXPECT_NE(frame.command_action(command_id::rebuild_foundation_files), nullptr);
}

TEST_F(FrameTest, NewItemNamesTheSelectedGroup) {
    const EditorRegistration no_sound_editor(sounds, nullptr);  // whatever forms exist
    const EditorRegistration editor(monsters, &TestForm::create);
    const LaterCommands later;
    CQuilletFrameWnd frame;
    QAction* new_in_group = frame.command_action(command_id::new_in_group);
    frame.update_command_states();
    EXPECT_EQ(new_in_group->text(), QStringLiteral("N&ew"));
    EXPECT_FALSE(new_in_group->isEnabled());

    frame.tree()->setCurrentItem(child_named(group_item(frame, monsters), "alpha"));
    EXPECT_EQ(new_in_group->text(), QStringLiteral("N&ew \"monsters\" tag"));
    EXPECT_TRUE(new_in_group->isEnabled());
    frame.tree()->setCurrentItem(group_item(frame, monsters));
    EXPECT_EQ(new_in_group->text(), QStringLiteral("N&ew \"monsters\" tag"));
    // The sounds group has no form here: named, but not enabled.
    frame.tree()->setCurrentItem(group_item(frame, sounds));
    EXPECT_EQ(new_in_group->text(), QStringLiteral("N&ew \"sounds\" tag"));
    EXPECT_FALSE(new_in_group->isEnabled());
}

TEST_F(FrameTest, EnablingFollowsTheSelection) {
    const EditorRegistration no_sound_editor(sounds, nullptr);  // whatever forms exist
    const EditorRegistration editor(monsters, &TestForm::create);
    const LaterCommands later;
    CQuilletFrameWnd frame;
    enum Selection { nothing, group_with_editor, tag_with_editor, tag_without_editor };
    const std::vector<int> ids = {command_id::new_tag,  command_id::new_in_group, command_id::open,
                                  command_id::duplicate, command_id::delete_tag,  command_id::get_info,
                                  command_id::import_overhead_map, command_id::build_plugin,
                                  command_id::dump_text, command_id::quit};
    const std::map<Selection, std::vector<bool>> expected = {
        {nothing, {true, false, false, false, false, false, true, true, false, true}},
        {group_with_editor, {true, true, true, false, false, false, true, true, true, true}},
        {tag_with_editor, {true, true, true, true, true, true, true, true, true, true}},
        {tag_without_editor, {true, false, false, true, true, true, true, true, false, true}},
    };
    for (const auto& [selection, enabled] : expected) {
        switch (selection) {
            case nothing: frame.tree()->setCurrentItem(nullptr); break;
            case group_with_editor: frame.tree()->setCurrentItem(group_item(frame, monsters)); break;
            case tag_with_editor: frame.tree()->setCurrentItem(child_named(group_item(frame, monsters), "Zebra")); break;
            case tag_without_editor: frame.tree()->setCurrentItem(child_named(group_item(frame, sounds), "thunder")); break;
        }
        frame.update_command_states();
        for (size_t index = 0; index < ids.size(); ++index) {
            EXPECT_EQ(frame.command_action(ids[index])->isEnabled(), enabled[index])
                << "selection " << selection << ", command " << ids[index];
        }
    }
}

// Whatever the selection's rule says, a command nobody carries out is shown
// disabled (an empty registration stands for a command not built yet).
TEST_F(FrameTest, CommandsWithoutAHandlerStayDisabled) {
    const EditorRegistration editor(monsters, &TestForm::create);
    std::vector<std::unique_ptr<FrameCommandRegistration>> missing;
    for (const int id : {command_id::new_tag, command_id::new_in_group, command_id::duplicate, command_id::delete_tag,
                         command_id::get_info, command_id::import_overhead_map, command_id::import_netmap_preview,
                         command_id::build_plugin, command_id::rebuild_foundation_files, command_id::dump_text}) {
        missing.push_back(std::make_unique<FrameCommandRegistration>(id, FrameCommand{}));
    }
    CQuilletFrameWnd frame;
    frame.tree()->setCurrentItem(child_named(group_item(frame, monsters), "Zebra"));
    frame.update_command_states();
    for (const auto& action : frame.file_menu()->actions()) {
        if (action->isSeparator() || action->menu()) continue;
        const bool own = action == frame.command_action(command_id::open) ||
                         action == frame.command_action(command_id::quit) ||
                         action->text() == QStringLiteral("Open &Working Folder...");
        EXPECT_EQ(action->isEnabled(), own) << action->text().toStdString();
    }
    EXPECT_FALSE(frame.command_action(command_id::import_netmap_preview)->isEnabled());
}

TEST_F(FrameTest, CommandMessageRunsARegisteredCommandAndItsOwnStateRule) {
    int rebuilds = 0;
    const FrameCommandRegistration rebuild(command_id::rebuild_foundation_files,
                                           {[&](CQuilletFrameWnd&) { ++rebuilds; }, {}});
    const FrameCommandRegistration dump(
        command_id::dump_text,
        {[](CQuilletFrameWnd&) {}, [](CQuilletFrameWnd& frame) {
             return CommandState{frame.selected_item() != nullptr, QStringLiteral("Dump text for something")};
         }});
    CQuilletFrameWnd frame;
    frame.run_command(command_id::rebuild_foundation_files);
    EXPECT_EQ(rebuilds, 1);
    frame.update_command_states();
    EXPECT_FALSE(frame.command_action(command_id::dump_text)->isEnabled());
    frame.tree()->setCurrentItem(group_item(frame, sounds));
    EXPECT_TRUE(frame.command_action(command_id::dump_text)->isEnabled());
    EXPECT_EQ(frame.command_action(command_id::dump_text)->text(), QStringLiteral("Dump text for something"));
}

TEST_F(FrameTest, OpenOnAGroupTogglesItsExpansionAndImage) {
    const EditorRegistration no_sound_editor(sounds, nullptr);  // whatever forms exist
    const EditorRegistration editor(monsters, &TestForm::create);
    CQuilletFrameWnd frame;
    QTreeWidgetItem* group = group_item(frame, monsters);
    frame.tree()->setCurrentItem(group);
    frame.run_command(command_id::open);
    EXPECT_TRUE(group->isExpanded());
    EXPECT_EQ(CQuilletFrameWnd::item_image(group), tree_image_group_expanded);
    frame.run_command(command_id::open);
    EXPECT_FALSE(group->isExpanded());
    EXPECT_EQ(CQuilletFrameWnd::item_image(group), tree_image_group_collapsed);

    QTreeWidgetItem* plain = group_item(frame, sounds);
    plain->setExpanded(true);
    EXPECT_EQ(CQuilletFrameWnd::item_image(plain), tree_image_plain_group_expanded);
}

TEST_F(FrameTest, OpenRunsTheEditorAndRebuildsTheBranchAfterOk) {
    const EditorRegistration editor(sounds, &TestForm::create);
    create_default_tag(sounds, "rain");
    CQuilletFrameWnd frame;
    frame.tree()->setCurrentItem(child_named(group_item(frame, sounds), "thunder"));
    services.queue_dialog([](QDialog& dialog) {
        static_cast<TestForm&>(dialog).first_word_edit()->setText(QStringLiteral("513"));
        dialog.accept();
    });
    frame.run_command(command_id::open);
    EXPECT_EQ(services.pending_dialog_scripts(), 0);
    EXPECT_EQ(read_big_endian_word(tag_data(sounds, subgroup_from_name("thunder")).data()), 513u);
    QTreeWidgetItem* group = group_item(frame, sounds);
    EXPECT_TRUE(group->isExpanded());
    ASSERT_NE(frame.selected_item(), nullptr);
    EXPECT_EQ(frame.selected_item()->text(0), QStringLiteral("thunder"));
    EXPECT_EQ(frame.selected_item()->parent(), group);
}

TEST_F(FrameTest, CancelLeavesTheTreeAsItWas) {
    const EditorRegistration editor(sounds, &TestForm::create);
    CQuilletFrameWnd frame;
    QTreeWidgetItem* tag = child_named(group_item(frame, sounds), "thunder");
    frame.tree()->setCurrentItem(tag);
    const auto before = tag_data(sounds, subgroup_from_name("thunder"));
    services.queue_dialog([](QDialog& dialog) {
        static_cast<TestForm&>(dialog).first_word_edit()->setText(QStringLiteral("99"));
        dialog.reject();
    });
    frame.run_command(command_id::open);
    EXPECT_EQ(frame.selected_item(), tag);
    EXPECT_EQ(tag_data(sounds, subgroup_from_name("thunder")), before);
}

TEST_F(FrameTest, DoubleClickOpensATagAndBeepsWithoutAnEditor) {
    const EditorRegistration no_sound_editor(sounds, nullptr);  // whatever forms exist
    const EditorRegistration editor(monsters, &TestForm::create);
    CQuilletFrameWnd frame;
    QTreeWidgetItem* sound = child_named(group_item(frame, sounds), "thunder");
    frame.tree()->setCurrentItem(sound);
    emit frame.tree()->itemDoubleClicked(sound, 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(services.beep_count(), 1);

    QTreeWidgetItem* monster = child_named(group_item(frame, monsters), "alpha");
    frame.tree()->setCurrentItem(monster);
    services.queue_dialog([](QDialog& dialog) { dialog.reject(); });
    emit frame.tree()->itemDoubleClicked(monster, 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(services.pending_dialog_scripts(), 0);
    EXPECT_EQ(services.beep_count(), 1);
}

TEST_F(FrameTest, OpeningATagWithoutAFormSaysSoInTheStatusLine) {
    const EditorRegistration no_sound_editor(sounds, nullptr);  // whatever forms exist
    CQuilletFrameWnd frame;
    frame.tree()->setCurrentItem(child_named(group_item(frame, sounds), "thunder"));
    frame.run_command(command_id::open);
    EXPECT_EQ(services.beep_count(), 1);
    EXPECT_EQ(frame.statusBar()->currentMessage(), QStringLiteral("sounds: no form for this group"));
}

TEST_F(FrameTest, SelectAndOpenMatchesTheNameExactly) {
    const EditorRegistration editor(monsters, &TestForm::create);
    CQuilletFrameWnd frame;
    frame.select_and_open(monsters, "ZEBRA");
    EXPECT_EQ(frame.selected_item(), nullptr);
    services.queue_dialog([](QDialog& dialog) { dialog.reject(); });
    frame.select_and_open(monsters, "Zebra");
    EXPECT_EQ(services.pending_dialog_scripts(), 0);
    ASSERT_NE(frame.selected_item(), nullptr);
    EXPECT_EQ(frame.selected_item()->text(0), QStringLiteral("Zebra"));
}

TEST_F(FrameTest, RightClickSelectsTheItemAndShowsTheContextMenu) {
    CQuilletFrameWnd frame;
    // Tall enough for every item, with empty space below them.
    frame.resize(400, 900);
    frame.show();
    QTreeWidgetItem* group = group_item(frame, monsters);
    group->setExpanded(true);
    QTreeWidgetItem* tag = child_named(group, "Beta");
    emit frame.tree()->customContextMenuRequested(frame.tree()->visualItemRect(tag).center());
    EXPECT_EQ(frame.selected_item(), tag);
    EXPECT_TRUE(frame.context_menu()->isVisible());
    frame.context_menu()->hide();

    emit frame.tree()->customContextMenuRequested(QPoint(5, frame.tree()->viewport()->height() - 2));
    EXPECT_EQ(frame.selected_item(), tag);
    EXPECT_FALSE(frame.context_menu()->isVisible());
}

TEST_F(FrameTest, AcceleratorsReachTheirCommands) {
    const EditorRegistration no_monster_editor(monsters, nullptr);  // whatever forms exist
    CQuilletFrameWnd frame;
    ASSERT_NO_FATAL_FAILURE(show_active(frame));
    QTreeWidgetItem* group = group_item(frame, monsters);
    frame.tree()->setCurrentItem(group);
    frame.tree()->setFocus();
    QTest::keyClick(frame.tree(), Qt::Key_Return);
    EXPECT_TRUE(group->isExpanded());
    EXPECT_EQ(CQuilletFrameWnd::item_image(group), tree_image_plain_group_expanded);
    QTest::keyClick(frame.tree(), Qt::Key_Enter);
    EXPECT_FALSE(group->isExpanded());
    QTest::keyClick(frame.tree(), Qt::Key_Q, Qt::AltModifier);
    EXPECT_FALSE(frame.isVisible());
}

// A click sets the tree's current item before it selects it: the enabling
// must follow the selection, not the current item.
TEST_F(FrameTest, AcceleratorsWorkAfterAMouseClickSelectsATag) {
    const EditorRegistration editor(monsters, &TestForm::create);
    LaterCommands later;
    CQuilletFrameWnd frame;
    ASSERT_NO_FATAL_FAILURE(show_active(frame));
    QTreeWidgetItem* group = group_item(frame, monsters);
    group->setExpanded(true);
    QTreeWidgetItem* tag = child_named(group, "Beta");
    QWidget* viewport = frame.tree()->viewport();
    QTest::mouseClick(viewport, Qt::LeftButton, {}, frame.tree()->visualItemRect(tag).center());
    ASSERT_EQ(frame.selected_item(), tag);
    EXPECT_TRUE(frame.command_action(command_id::delete_tag)->isEnabled());
    EXPECT_TRUE(frame.command_action(command_id::get_info)->isEnabled());
    EXPECT_TRUE(frame.command_action(command_id::duplicate)->isEnabled());

    QTest::keyClick(frame.tree(), Qt::Key_Delete);
    EXPECT_EQ(later.runs[command_id::delete_tag], 1);
    QTest::keyClick(frame.tree(), Qt::Key_I, Qt::AltModifier);
    EXPECT_EQ(later.runs[command_id::get_info], 1);
    QTest::keyClick(frame.tree(), Qt::Key_N, Qt::AltModifier);
    EXPECT_EQ(later.runs[command_id::new_tag], 1);
    services.queue_dialog([](QDialog& dialog) { dialog.reject(); });
    QTest::keyClick(frame.tree(), Qt::Key_Return);
    EXPECT_EQ(services.pending_dialog_scripts(), 0);

    // A click on the group item: commands of a tag item go off at once.
    QTest::mouseClick(viewport, Qt::LeftButton, {}, frame.tree()->visualItemRect(group).center());
    ASSERT_EQ(frame.selected_item(), group);
    EXPECT_FALSE(frame.command_action(command_id::delete_tag)->isEnabled());
    QTest::keyClick(frame.tree(), Qt::Key_Delete);
    EXPECT_EQ(later.runs[command_id::delete_tag], 1);
    // Cleared by program: nothing selected, nothing to delete.
    frame.tree()->clearSelection();
    EXPECT_FALSE(frame.command_action(command_id::get_info)->isEnabled());
}

TEST_F(FrameTest, WindowWidthFollowsTheLongestGroupText) {
    CQuilletFrameWnd frame;
    const QFontMetrics metrics(frame.tree()->font());
    int longest = 0;
    for (const QString& text : root_texts(frame.tree())) longest = std::max(longest, metrics.horizontalAdvance(text));
    EXPECT_GE(frame.width(), longest + 64);
}

// The window opens showing every group text and a tag name of 31 characters
// whole, without scrolling sideways, and within the screen.
TEST_F(FrameTest, WindowOpensWideEnoughForLongNamesWithinTheScreen) {
    const std::string longest = "Mighty Warrior of the Mountains";
    ASSERT_EQ(longest.size(), 31u);
    for (const std::string& name : {longest, std::string("arrow"), std::string("bolt")}) {
        create_default_tag(make_tag("lpgr"), name);
    }
    CQuilletFrameWnd frame;
    frame.show();
    QTreeWidgetItem* group = group_item(frame, make_tag("lpgr"));
    ASSERT_EQ(group->text(0), QStringLiteral("local projectile groups (3)"));
    group->setExpanded(true);
    QCoreApplication::processEvents();
    // Sized to its contents, the column needs no sideways scrolling.
    QTreeWidget* tree = frame.tree();
    tree->header()->setStretchLastSection(false);
    tree->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    QCoreApplication::processEvents();
    EXPECT_LE(tree->header()->sectionSize(0), tree->viewport()->width());
    EXPECT_EQ(tree->horizontalScrollBar()->maximum(), 0);
    const QSize available = frame.screen()->availableGeometry().size();
    EXPECT_LE(frame.frameGeometry().width(), available.width());
    EXPECT_LE(frame.frameGeometry().height(), available.height());
}

// A foundation file cut short and a plugin that is no monolithic file: their
// tags are missing, and the status line says which files and where to look.
TEST_F(FrameTest, StatusLineNamesTheFilesStartUpRefused) {
    {
        CQuilletFrameWnd frame;
        EXPECT_EQ(frame.statusBar()->currentMessage(), QString());
    }
    tag_handle zebra = tag_find(monsters, subgroup_from_name("Zebra"));
    ASSERT_TRUE(tag_set_destination(zebra, 0));
    tag_file_close_local();
    ASSERT_TRUE(rebuild_foundation_files());
    std::filesystem::resize_file(folder.path() / "tags" / "small install", 100);
    folder.write_file("plugins/Broken", std::string(300, 'x'));
    tag_files_initialize();
    ASSERT_TRUE(tag_files_open(false, nullptr, 0, NONE));
    CQuilletFrameWnd frame;
    EXPECT_EQ(frame.statusBar()->currentMessage(),
              QStringLiteral("Not loaded: plugins/Broken, tags/small install (see kelvo_log.txt)"));
}

QStringList shown_child_texts(const QTreeWidgetItem* item) {
    QStringList texts;
    for (int index = 0; index < item->childCount(); ++index) {
        if (!item->child(index)->isHidden()) texts.append(item->child(index)->text(0));
    }
    return texts;
}

TEST_F(FrameTest, FilterBoxShowsOnlyMatchingTagsAndEscapeClearsIt) {
    const EditorRegistration editor(monsters, &TestForm::create);
    create_default_tag(sounds, "Alarm");
    CQuilletFrameWnd frame;
    ASSERT_NO_FATAL_FAILURE(show_active(frame));
    QTreeWidgetItem* monster_group = group_item(frame, monsters);
    QTreeWidgetItem* sound_group = group_item(frame, sounds);
    sound_group->setExpanded(true);
    EXPECT_EQ(QApplication::focusWidget(), frame.tree());
    QTest::keyClick(frame.tree(), Qt::Key_F, Qt::ControlModifier);
    ASSERT_TRUE(frame.filter_box()->hasFocus());

    QTest::keyClicks(frame.filter_box(), "eT");
    EXPECT_EQ(shown_child_texts(monster_group), (QStringList{"Beta"}));
    EXPECT_EQ(monster_group->text(0), QStringLiteral("monsters (1 of 3)"));
    EXPECT_TRUE(monster_group->isExpanded());
    EXPECT_EQ(CQuilletFrameWnd::item_image(monster_group), tree_image_group_expanded);
    EXPECT_TRUE(sound_group->isHidden());
    QTest::keyClick(frame.filter_box(), Qt::Key_Backspace);
    EXPECT_EQ(shown_child_texts(monster_group), (QStringList{"Beta", "Zebra"}));
    EXPECT_EQ(shown_child_texts(sound_group), (QStringList{"thunder"}));
    EXPECT_FALSE(sound_group->isHidden());
    QTest::keyClicks(frame.filter_box(), "B");
    QTest::keyClick(frame.filter_box(), Qt::Key_Backspace);
    QTest::keyClick(frame.filter_box(), Qt::Key_Backspace);
    QTest::keyClicks(frame.filter_box(), "A");
    EXPECT_EQ(shown_child_texts(monster_group), (QStringList{"alpha", "Beta", "Zebra"}));
    EXPECT_EQ(shown_child_texts(sound_group), (QStringList{"Alarm"}));
    EXPECT_EQ(sound_group->text(0), QStringLiteral("sounds (1 of 2)"));

    QTest::keyClick(frame.filter_box(), Qt::Key_Escape);
    EXPECT_EQ(frame.filter_box()->text(), QString());
    EXPECT_EQ(monster_group->text(0), QStringLiteral("monsters (3)"));
    EXPECT_EQ(sound_group->text(0), QStringLiteral("sounds (2)"));
    EXPECT_EQ(shown_child_texts(sound_group), (QStringList{"Alarm", "thunder"}));
    // The groups open as they were before the filter.
    EXPECT_FALSE(monster_group->isExpanded());
    EXPECT_TRUE(sound_group->isExpanded());

    // Down goes into the results, on the first match.
    QTest::keyClicks(frame.filter_box(), "eT");
    QTest::keyClick(frame.filter_box(), Qt::Key_Down);
    EXPECT_EQ(QApplication::focusWidget(), frame.tree());
    EXPECT_EQ(frame.selected_item(), child_named(monster_group, "Beta"));
}

// The filter hides rows only: the selection, the commands on it and a branch
// rebuilt while filtering behave as without it.
TEST_F(FrameTest, FilterKeepsSelectionAndCommandsToWhatIsShown) {
    const EditorRegistration editor(monsters, &TestForm::create);
    LaterCommands later;
    CQuilletFrameWnd frame;
    ASSERT_NO_FATAL_FAILURE(show_active(frame));
    QTreeWidgetItem* monster_group = group_item(frame, monsters);
    frame.tree()->setCurrentItem(child_named(monster_group, "alpha"));
    frame.filter_box()->setText(QStringLiteral("zeb"));
    EXPECT_EQ(frame.selected_item(), nullptr);
    EXPECT_FALSE(frame.command_action(command_id::delete_tag)->isEnabled());

    QTreeWidgetItem* zebra = child_named(monster_group, "Zebra");
    QTest::mouseClick(frame.tree()->viewport(), Qt::LeftButton, {}, frame.tree()->visualItemRect(zebra).center());
    ASSERT_EQ(frame.selected_item(), zebra);
    QTest::keyClick(frame.tree(), Qt::Key_Delete);
    EXPECT_EQ(later.runs[command_id::delete_tag], 1);
    services.queue_dialog([](QDialog& dialog) {
        EXPECT_EQ(static_cast<CTagDialog&>(dialog).subgroup(), subgroup_from_name("Zebra"));
        dialog.accept();
    });
    QTest::keyClick(frame.tree(), Qt::Key_Return);
    EXPECT_EQ(services.pending_dialog_scripts(), 0);
    // Rebuilt after OK: still filtered, the tag still selected.
    monster_group = group_item(frame, monsters);
    EXPECT_EQ(shown_child_texts(monster_group), (QStringList{"Zebra"}));
    EXPECT_EQ(monster_group->text(0), QStringLiteral("monsters (1 of 3)"));
    ASSERT_NE(frame.selected_item(), nullptr);
    EXPECT_EQ(frame.selected_item()->text(0), QStringLiteral("Zebra"));
    EXPECT_EQ(CQuilletFrameWnd::item_image(frame.selected_item()), tree_image_local_tag);

    frame.filter_box()->clear();
    EXPECT_EQ(frame.selected_item()->text(0), QStringLiteral("Zebra"));
    EXPECT_TRUE(monster_group->isExpanded());
}

TEST_F(FrameTest, PopulateGroupCountsAgainAfterAChange) {
    CQuilletFrameWnd frame;
    QTreeWidgetItem* group = group_item(frame, sounds);
    ASSERT_TRUE(tag_file_delete(tag_find(sounds, subgroup_from_name("thunder"))));
    frame.populate_group(group, true, NONE);
    EXPECT_EQ(group->text(0), QStringLiteral("sounds (0)"));
    EXPECT_EQ(group->childCount(), 0);
    EXPECT_EQ(frame.selected_item(), nullptr);
}

TEST_F(FrameTest, PackagedTagsUseTheirOwnImageAndCannotBeDeleted) {
    const LaterCommands later;
    tag_handle handle = tag_find(monsters, subgroup_from_name("Zebra"));
    ASSERT_TRUE(tag_set_destination(handle, 0));
    tag_file_close_local();
    ASSERT_TRUE(rebuild_foundation_files());
    ASSERT_TRUE(tag_file_delete(tag_find(monsters, subgroup_from_name("Zebra"))));
    ASSERT_TRUE(tag_files_open(false, nullptr, 0, NONE));
    ASSERT_EQ(tag_get_file_type(tag_find(monsters, subgroup_from_name("Zebra"))), 3);

    CQuilletFrameWnd frame;
    QTreeWidgetItem* zebra = child_named(group_item(frame, monsters), "Zebra");
    ASSERT_NE(zebra, nullptr);
    EXPECT_EQ(CQuilletFrameWnd::item_image(zebra), tree_image_packaged_tag);
    frame.tree()->setCurrentItem(zebra);
    EXPECT_FALSE(frame.command_action(command_id::delete_tag)->isEnabled());
    EXPECT_TRUE(frame.command_action(command_id::duplicate)->isEnabled());
    frame.tree()->setCurrentItem(child_named(group_item(frame, monsters), "alpha"));
    EXPECT_TRUE(frame.command_action(command_id::delete_tag)->isEnabled());
}

}  // namespace
}  // namespace editor_test
