// Checks that hold for every form registered as a group's editor.

#include "every_form.h"

#include "definitions/group_registry.h"
#include "editor/tag_dialog.h"
#include "support/memory_limit.h"
#include "tag_files/tag_groups.h"

#include <QDir>
#include <QImage>
#include <QLayout>
#include <QLineEdit>
#include <QPixmap>
#include <QStyle>

#include <algorithm>
#include <cstdlib>
#include <string>

namespace editor_test {
namespace {

using definitions::FieldKind;

class EveryFormTest : public FormTest, public ::testing::WithParamInterface<tag_code> {};

// The field holding the first byte that differs; empty when the two are the same.
std::string first_difference(tag_code group, const std::vector<std::byte>& after,
                             const std::vector<std::byte>& before) {
    const auto [a, b] = std::mismatch(after.begin(), after.end(), before.begin(), before.end());
    if (a == after.end() && b == before.end()) return {};
    const auto offset = static_cast<uint32_t>(a - after.begin());
    const DescribedField described =
        described_field_at(*definitions::find_group(group)->description, offset, FieldKind::integer);
    return "byte " + std::to_string(offset) + " (" + (described.field ? described.field->name : "undescribed") + ")";
}

// Open and OK, here and in every dialog it opens, writes back what was read: the
// default record and a record whose every field holds something else.
TEST_P(EveryFormTest, UntouchedFormLeavesEveryByteOfTheTag) {
    const tag_code group = GetParam();
    const std::vector<std::vector<std::byte>> records{starting_record(group), random_record(group, 15)};
    for (size_t i = 0; i < records.size(); ++i) {
        const tag_code subgroup = create_record_tag(group, "record " + std::to_string(i), records[i]);
        const std::vector<std::byte> before = tag_data(group, subgroup);
        const auto dialog = open_form(group, subgroup);
        ASSERT_NE(dialog, nullptr);
        accept_every_element_dialog(*dialog);
        dialog->accept();
        ASSERT_EQ(dialog->result(), QDialog::Accepted) << services.message_texts().join("; ").toStdString();
        EXPECT_EQ(first_difference(group, tag_data(group, subgroup), before), "")
            << (i == 0 ? "default record" : "random record");
    }
    EXPECT_EQ(services.unscripted_dialogs(), 0);
}

// Each row shows its field as the group's field description describes it: the same
// kind and width at the same offset, in the group form and in every element dialog.
TEST_P(EveryFormTest, RowsAgreeWithTheFieldDescriptions) {
    const tag_code group = GetParam();
    const definitions::TagGroupEntry* entry = definitions::find_group(group);
    ASSERT_TRUE(entry && entry->description) << group_test_name(group);
    int checked = 0;
    for_each_declared_form(group, [&](const toolkit::Form& form, uint32_t offset) {
        for (const toolkit::Row& row : form.rows()) {
            for (const toolkit::RowField& shown : row.description().fields) {
                const uint32_t at = offset + shown.field.offset;
                const DescribedField described = described_field_at(*entry->description, at, shown.kind);
                const std::string where = "row " + std::to_string(row.description().id) + " of dialog " +
                                          std::to_string(form.dialog().template_id()) + " at offset " +
                                          std::to_string(at);
                ++checked;
                if (!described.field) {
                    ADD_FAILURE() << where << ": no field is described there";
                    continue;
                }
                EXPECT_EQ(static_cast<int>(described.field->kind), static_cast<int>(shown.kind))
                    << where << " (" << described.field->name << ")";
                if (shown.field.size == 0 || shown.kind == FieldKind::record_array) continue;
                const uint32_t element = definitions::field_element_size(*described.field);
                EXPECT_EQ(described.field->width, shown.field.size) << where << " (" << described.field->name << ")";
                EXPECT_EQ(element ? described.inside % element : 0, 0u)
                    << where << " lies inside an element of " << described.field->name;
            }
        }
    });
    EXPECT_GT(checked, 0);
}

// The form fits a screen; TESSARY_FORM_PICTURES names a folder to write its
// picture to, as <group>.png.
TEST_P(EveryFormTest, FormFitsAScreen) {
    const tag_code group = GetParam();
    const tag_code subgroup = create_record_tag(group, "default", starting_record(group));
    const auto dialog = open_form(group, subgroup);
    ASSERT_NE(dialog, nullptr);
    // Sized by hand: adjusting the size would bound it by the offscreen screen.
    dialog->resize(dialog->sizeHint());
    const QImage picture = dialog->grab().toImage();
    EXPECT_LE(picture.width(), 1600);
    EXPECT_LE(picture.height(), 1000);
    // A form without a default record has nothing to show here; its own test draws it.
    const char* folder = std::getenv("TESSARY_FORM_PICTURES");
    if (folder && definitions::get_default_definition(group)) {
        const QString path = QDir(QString::fromLocal8Bit(folder))
                                 .filePath(QString::fromLatin1(tag_code_to_text(group)) + QStringLiteral(".png"));
        EXPECT_TRUE(picture.save(path)) << path.toStdString();
    }
    dialog->reject();
}

// Tags from other players may be damaged or hostile. Truncated, random, or with a
// count, offset or size far off, a tag gives its form either its read message and
// a Cancel-only form, or a form whose untouched OK leaves every byte.
TEST_P(EveryFormTest, DamagedTagsGiveACancelOnlyFormOrKeepTheirBytes) {
    const tag_code group = GetParam();
    const definitions::RecordDescription& description = *definitions::find_group(group)->description;
    const std::vector<std::byte> intact = tag_data(group, create_record_tag(group, "intact", starting_record(group)));
    std::vector<std::pair<std::string, std::vector<std::byte>>> damaged;
    // An empty map is no damage: New makes maps empty, and the form gives them a header.
    for (const size_t length : {size_t{0}, size_t{1}, intact.size() / 2, intact.size() - 1}) {
        if (length == 0 && group == make_tag("mesh")) continue;
        damaged.emplace_back("cut to " + std::to_string(length), std::vector<std::byte>(intact.begin(), intact.begin() + length));
    }
    std::vector<std::byte> noise(intact.size() + 64);
    uint32_t state = group;
    for (std::byte& byte : noise) byte = static_cast<std::byte>((state = state * 1103515245u + 12345u) >> 16);
    damaged.emplace_back("random bytes", noise);
    for (const definitions::FieldDescription& field : description.fields) {
        const std::string_view name = field.name;
        const bool places = name.find("count") != std::string_view::npos || name.find("offset") != std::string_view::npos ||
                            name.find("size") != std::string_view::npos;
        if (!places || field.kind != definitions::FieldKind::integer || field.width < 2) continue;
        for (const uint32_t value : {0u, 0xFFFFFFFFu, 0x7FFFu, 0x7FFFFFFFu}) {
            std::vector<std::byte> bytes = intact;
            for (unsigned index = 0; index < field.width; ++index)
                bytes[field.offset + index] = static_cast<std::byte>(value >> (8 * (field.width - 1 - index)));
            damaged.emplace_back(std::string(name) + " " + std::to_string(value), bytes);
        }
    }
    // A form that sized a buffer by a damaged count would fail here, not swap.
    const test_support::AddressSpaceLimit bounded(size_t{384} << 20);
    int index = 0;
    for (const auto& [what, bytes] : damaged) {
        SCOPED_TRACE(what);
        const tag_code subgroup =
            tag_get_subgroup(create_tag(group, "damaged " + std::to_string(index++), bytes, tag_group_get_version(group)));
        const auto dialog = open_form(group, subgroup);
        ASSERT_NE(dialog, nullptr);
        const QWidget* ok = dialog->control(control_id_ok);
        if (ok && ok->isEnabled()) dialog->accept();
        dialog->reject();
        EXPECT_EQ(first_difference(group, tag_data(group, subgroup), bytes), "");
    }
    EXPECT_EQ(services.unscripted_dialogs(), 0);
}

// Squeezed as far as the window manager lets it, a form keeps its layout's
// minimum size and every number box shows its value whole.
TEST_P(EveryFormTest, SqueezedFormShowsEveryNumberWhole) {
    const tag_code group = GetParam();
    const auto dialog = open_form(group, create_record_tag(group, "squeezed", starting_record(group)));
    ASSERT_NE(dialog, nullptr);
    dialog->resize(1, 1);
    dialog->layout()->activate();
    EXPECT_GE(dialog->width(), dialog->layout()->minimumSize().width());
    EXPECT_GE(dialog->height(), dialog->layout()->minimumSize().height());
    for (const QLineEdit* edit : dialog->findChildren<QLineEdit*>()) {
        bool is_number = false;
        edit->text().toDouble(&is_number);
        if (!is_number || !edit->isVisibleTo(dialog.get())) continue;
        const int frame = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, edit);
        EXPECT_GE(edit->width() - 2 * frame - 4, edit->fontMetrics().horizontalAdvance(edit->text()))
            << edit->objectName().toStdString() << " shows " << edit->text().toStdString();
    }
    dialog->reject();
}

INSTANTIATE_TEST_SUITE_P(RegisteredForms, EveryFormTest, ::testing::ValuesIn(groups_with_forms()),
                         [](const ::testing::TestParamInfo<tag_code>& info) { return group_test_name(info.param); });

}  // namespace
}  // namespace editor_test
