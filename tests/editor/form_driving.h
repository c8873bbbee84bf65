#pragma once

// Driving a form as a user would: typing into an edit box, picking a combo box entry,
// clicking, and reading the stored bytes back. Controls are found by their ids.

#include "editor_fixture.h"

#include "core/byte_swap.h"
#include "editor/platform/scripted_services.h"
#include "editor/tag_dialog.h"
#include "editor/tag_group_registry.h"

#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <vector>

class QComboBox;
class QWidget;
class QListWidget;

namespace editor_test {

// A stored number, big-endian.
int64_t stored(const std::vector<std::byte>& bytes, size_t offset, int width, bool is_signed = true);

QStringList entries(const QComboBox* combo);
void type(CTagDialog& dialog, int id, const QString& text);
void pick(CTagDialog& dialog, int id, const QString& text);
void click(CTagDialog& dialog, int id);
bool checked(const CTagDialog& dialog, int id);
QString text_of(const CTagDialog& dialog, int id);

// Grabs the dialog at its preferred size, expects it to fit a screen, and writes it to
// $TESSARY_FORM_PICTURES/<name>.png when that folder is given.
void check_picture(QWidget& dialog, const QString& name);

// Opens forms of tags in the test's working folder and scripts the dialogs they open.
class DrivenFormTest : public EditorTest {
protected:
    // A tag of `group` holding `data`, with the user data its pickers' filters read.
    tag_code add_tag(tag_code group, const std::string& name, const std::vector<std::byte>& data = {},
                     uint32_t user_data = 0);
    // A tag of `group` at its current version, holding `record` converted with `codes`.
    template <class Record>
    tag_code add_record(tag_code group, const std::string& name, Record record, std::span<const int16_t> codes);

    // A collection whose sequences are named `prefix` 0, 1, ...
    tag_code add_collection(const std::string& name, int sequence_count, const std::string& prefix,
                            uint32_t user_data);
    // A collection reference (`core`) naming `collection`.
    tag_code add_collection_reference(const std::string& name, tag_code collection);

    std::unique_ptr<CTagDialog> open(tag_code group, tag_code subgroup);
    // Runs `script` on the dialog that clicking `button_id` opens.
    void through(CTagDialog& dialog, int button_id, platform::ScriptedServices::DialogScript script);
    // Runs `script` on the element dialog a double-click on line `index` of the list opens.
    void through_line(QListWidget* lines, int index, platform::ScriptedServices::DialogScript script);
    // Presses OK and expects the form to close with it.
    void accept(CTagDialog& dialog);

    CTagGroupRegistry registry;
    std::map<tag_code, std::vector<tag_code>> subgroups;

private:
    tag_code add_bytes(tag_code group, const std::string& name, const void* record, size_t size);
};

template <class Record>
tag_code DrivenFormTest::add_record(tag_code group, const std::string& name, Record record, std::span<const int16_t> codes) {
    byte_swap_data("test record", &record, sizeof record, 1, codes);
    return add_bytes(group, name, &record, sizeof record);
}

}  // namespace editor_test
