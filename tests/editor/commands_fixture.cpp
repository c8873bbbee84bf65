#include "commands_fixture.h"

#include "core/text.h"
#include "tag_files/monolithic_writer.h"
#include "tag_files/tag_data.h"
#include "tag_files/tag_editing.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QTreeWidget>

namespace editor_test {

CTagDialog* create_plain_form(tag_code group, tag_code subgroup, QWidget* parent) {
    return new CTagDialog(999, group, subgroup, parent);
}

CQuilletFrameWnd& CommandsTest::frame() {
    if (!frame_) frame_ = std::make_unique<CQuilletFrameWnd>();
    return *frame_;
}

QTreeWidgetItem* CommandsTest::group_item(tag_code group) { return frame().find_group_item(group); }

QTreeWidgetItem* CommandsTest::tag_item(tag_code group, const QString& name) {
    QTreeWidgetItem* parent = group_item(group);
    for (int index = 0; parent && index < parent->childCount(); ++index) {
        if (parent->child(index)->text(0) == name) return parent->child(index);
    }
    return nullptr;
}

QStringList CommandsTest::tag_texts(tag_code group) {
    QStringList texts;
    QTreeWidgetItem* parent = group_item(group);
    for (int index = 0; index < parent->childCount(); ++index) texts.append(parent->child(index)->text(0));
    return texts;
}

tag_handle CommandsTest::tag_named(tag_code group, const std::string& name) {
    tag_info query;
    tag_query_initialize(&query);
    copy_text(query.name, name);
    query.group = group;
    tag_handle handle = NONE;
    return tag_query(&query, &handle, 1) == 1 ? handle : NONE;
}

void CommandsTest::select(QTreeWidgetItem* item) {
    ASSERT_NE(item, nullptr);
    frame().tree()->setCurrentItem(item);
}

void CommandsTest::expect_form_opened() {
    services.queue_dialog([opened = opened_](QDialog& dialog) {
        auto* form = dynamic_cast<CTagDialog*>(&dialog);
        ASSERT_NE(form, nullptr);
        opened->push_back(form->subgroup());
        dialog.reject();
    });
}

void CommandsTest::make_monolithic(tag_code group, const std::string& name) {
    ASSERT_EQ(frame_, nullptr);
    const tag_code subgroup = subgroup_from_name(name);
    tag_handle handle = tag_find(group, subgroup);
    ASSERT_TRUE(tag_set_destination(handle, 0));
    tag_file_close_local();
    ASSERT_TRUE(rebuild_foundation_files());
    ASSERT_TRUE(tag_file_delete(tag_find(group, subgroup)));
    ASSERT_TRUE(tag_files_open(false, nullptr, 0, NONE));
    ASSERT_EQ(tag_get_file_type(tag_find(group, subgroup)), 3);
}

QString control_text(const CTagDialog& dialog, int control_id) {
    if (const auto* label = dialog.control_as<QLabel>(control_id)) return label->text();
    if (const auto* edit = dialog.control_as<QLineEdit>(control_id)) return edit->text();
    if (const auto* button = dialog.control_as<QAbstractButton>(control_id)) return button->text();
    ADD_FAILURE() << "no text control " << control_id;
    return {};
}

void press_ok(CTagDialog& dialog) {
    auto* ok = dialog.control_as<QAbstractButton>(control_id_ok);
    ASSERT_NE(ok, nullptr);
    ASSERT_TRUE(ok->isEnabled());
    ok->click();
}

}  // namespace editor_test
