#include "form_driving.h"

#include "definitions/collection_reference_definitions.h"
#include "media/collection_writer.h"
#include "tag_files/tag_editing.h"
#include "tag_files/tag_groups.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QPixmap>
#include <QLineEdit>
#include <QListWidget>

#include <cstdlib>
#include <cstring>

namespace editor_test {

int64_t stored(const std::vector<std::byte>& bytes, size_t offset, int width, bool is_signed) {
    uint64_t value = 0;
    for (int i = 0; i < width; ++i) value = value << 8 | std::to_integer<uint64_t>(bytes.at(offset + i));
    const int unused = 64 - 8 * width;
    return is_signed ? static_cast<int64_t>(value << unused) >> unused : static_cast<int64_t>(value);
}

QStringList entries(const QComboBox* combo) {
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i) texts << combo->itemText(i);
    return texts;
}

void type(CTagDialog& dialog, int id, const QString& text) {
    auto* edit = dialog.control_as<QLineEdit>(id);
    ASSERT_NE(edit, nullptr) << id;
    edit->setText(text);
    emit edit->textEdited(text);
}

void pick(CTagDialog& dialog, int id, const QString& text) {
    auto* combo = dialog.control_as<QComboBox>(id);
    ASSERT_NE(combo, nullptr) << id;
    const int index = combo->findText(text);
    ASSERT_GE(index, 0) << id << " " << text.toStdString();
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

void click(CTagDialog& dialog, int id) {
    auto* box = dialog.control_as<QAbstractButton>(id);
    ASSERT_NE(box, nullptr) << id;
    box->click();
}

bool checked(const CTagDialog& dialog, int id) { return dialog.control_as<QCheckBox>(id)->isChecked(); }

QString text_of(const CTagDialog& dialog, int id) { return dialog.control_as<QLineEdit>(id)->text(); }

void check_picture(QWidget& dialog, const QString& name) {
    // Sized by hand: adjusting the size would bound it by the offscreen screen.
    dialog.resize(dialog.sizeHint());
    const QImage picture = dialog.grab().toImage();
    EXPECT_LE(picture.width(), 1600) << name.toStdString();
    EXPECT_LE(picture.height(), 1000) << name.toStdString();
    if (const char* folder = std::getenv("TESSARY_FORM_PICTURES")) {
        EXPECT_TRUE(picture.save(QString::fromLocal8Bit(folder) + "/" + name + ".png"));
    }
}

tag_code DrivenFormTest::add_tag(tag_code group, const std::string& name, const std::vector<std::byte>& data,
                           uint32_t user_data) {
    tag_handle handle = create_tag(group, name, data, tag_group_get_version(group));
    EXPECT_TRUE(tag_set_user_data(handle, user_data));
    subgroups[group].push_back(tag_get_subgroup(handle));
    return tag_get_subgroup(handle);
}

tag_code DrivenFormTest::add_bytes(tag_code group, const std::string& name, const void* record, size_t size) {
    std::vector<std::byte> data(size);
    std::memcpy(data.data(), record, size);
    return tag_get_subgroup(create_tag(group, name, data, tag_group_get_version(group)));
}

tag_code DrivenFormTest::add_collection(const std::string& name, int sequence_count, const std::string& prefix,
                                  uint32_t user_data) {
    collection_source source;
    for (int i = 0; i < sequence_count; ++i) {
        sequence_contents contents{};
        contents.name = prefix + std::to_string(i);
        source.sequences.push_back(contents);
    }
    return add_tag(collections, name, write_collection(source).value(), user_data);
}

tag_code DrivenFormTest::add_collection_reference(const std::string& name, tag_code collection) {
    definitions::collection_reference record = definitions::collection_reference_default;
    record.collection = collection;
    byte_swap_data("collection reference", &record, sizeof record, 1, definitions::collection_reference_codes);
    std::vector<std::byte> data(sizeof record);
    std::memcpy(data.data(), &record, sizeof record);
    return add_tag(collection_references, name, data);
}

std::unique_ptr<CTagDialog> DrivenFormTest::open(tag_code group, tag_code subgroup) {
    std::unique_ptr<CTagDialog> dialog(CTagGroupRegistry::open_editor(group, subgroup, nullptr));
    EXPECT_NE(dialog, nullptr);
    if (dialog) dialog->show();
    return dialog;
}

void DrivenFormTest::through(CTagDialog& dialog, int button_id, platform::ScriptedServices::DialogScript script) {
    services.queue_dialog(std::move(script));
    click(dialog, button_id);
    EXPECT_EQ(services.pending_dialog_scripts(), 0) << button_id;
}

void DrivenFormTest::through_line(QListWidget* lines, int index, platform::ScriptedServices::DialogScript script) {
    ASSERT_LT(index, lines->count());
    services.queue_dialog(std::move(script));
    emit lines->itemDoubleClicked(lines->item(index));
    EXPECT_EQ(services.pending_dialog_scripts(), 0);
}

void DrivenFormTest::accept(CTagDialog& dialog) {
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted) << services.message_texts().join("; ").toStdString();
}

}  // namespace editor_test
