#include "every_form.h"

#include "core/byte_swap.h"
#include "definitions/group_registry.h"
#include "definitions/sound_definitions.h"
#include "editor/tag_dialog.h"
#include "editor/tag_group_registry.h"
#include "editor/toolkit/element_list.h"
#include "editor/toolkit/form_dialogs.h"
#include "editor/toolkit/sequence_list_box.h"
#include "media/collection_writer.h"
#include "tag_files/tag_editing.h"
#include "tag_files/tag_groups.h"

#include <QAbstractButton>

#include <algorithm>
#include <cstring>
#include <memory>
#include <random>
#include <set>

namespace editor_test {

namespace {

using definitions::FieldDescription;
using definitions::FieldKind;
using definitions::RecordDescription;

constexpr int tags_per_group = 3;
// Element dialogs opening element dialogs: deeper than any form goes.
constexpr int deepest_dialog = 6;

const RecordDescription& description_of(tag_code group) {
    const definitions::TagGroupEntry* row = definitions::find_group(group);
    if (!row || !row->description) ADD_FAILURE() << "group without a field description: " << group_test_name(group);
    static const RecordDescription none{"none", 0, {}, {}};
    return row && row->description ? *row->description : none;
}

void walk_forms(const toolkit::Form& form, uint32_t offset, int depth,
                const std::function<void(const toolkit::Form&, uint32_t)>& visit) {
    visit(form, offset);
    if (depth == deepest_dialog) return;
    for (const toolkit::Row& row : form.rows()) {
        const toolkit::RowDescription& described = row.description();
        if (!described.factory) continue;
        const std::unique_ptr<CElementDialog> dialog(described.factory(QString(), &form.dialog()));
        auto* element_form = dynamic_cast<CFormElementDialog*>(dialog.get());
        if (element_form) walk_forms(element_form->form(), offset + described.element.offset, depth + 1, visit);
    }
}

void referenced_groups(const RecordDescription& record, std::set<tag_code>& groups) {
    for (const FieldDescription& field : record.fields) {
        if (field.kind == FieldKind::tag_reference) groups.insert(field.reference_group);
        if (field.kind == FieldKind::record_array && field.element) referenced_groups(*field.element, groups);
    }
}

std::vector<std::byte> collection_with_sequences() {
    collection_source source;
    for (int i = 0; i < sequences_per_collection; ++i) {
        sequence_contents contents{};
        contents.name = "sequence " + std::to_string(i);
        source.sequences.push_back(contents);
    }
    return write_collection(source).value();
}

void store(std::byte* at, uint8_t width, int64_t value) {
    switch (width) {
        case 1: { const auto v = static_cast<uint8_t>(value); std::memcpy(at, &v, 1); break; }
        case 2: { const auto v = static_cast<uint16_t>(value); std::memcpy(at, &v, 2); break; }
        default: { const auto v = static_cast<uint32_t>(value); std::memcpy(at, &v, 4); break; }
    }
}

class RecordDraw {
public:
    RecordDraw(uint32_t seed, const std::map<tag_code, std::vector<tag_code>>& tags) : random_(seed), tags_(tags) {}

    void fill(const RecordDescription& record, std::byte* bytes) {
        for (const FieldDescription& field : record.fields) {
            const uint32_t step = definitions::field_element_size(field);
            for (uint32_t i = 0; i < field.count && field.kind != FieldKind::text; ++i) {
                std::byte* at = bytes + field.offset + i * step;
                if (field.kind == FieldKind::record_array) {
                    if (field.element) fill(*field.element, at);
                    continue;
                }
                // Redrawn while it equals what the record held, where the field has another value.
                std::vector<std::byte> before(at, at + step);
                for (int attempt = 0; attempt < 8 && std::equal(before.begin(), before.end(), at); ++attempt)
                    draw(field, at);
            }
            if (field.kind == FieldKind::text) draw_text(bytes + field.offset, field.count);
        }
    }

    int64_t between(int64_t low, int64_t high) { return std::uniform_int_distribution<int64_t>(low, high)(random_); }

private:
    void draw(const FieldDescription& field, std::byte* at) {
        const int bits = 8 * field.width;
        const int64_t low = field.is_signed ? -(int64_t{1} << (bits - 1)) : 0;
        const int64_t high = field.is_signed ? (int64_t{1} << (bits - 1)) - 1 : (int64_t{1} << bits) - 1;
        switch (field.kind) {
            case FieldKind::enumeration: {
                if (field.names.empty()) return;
                store(at, field.width, field.names[static_cast<size_t>(between(0, std::ssize(field.names) - 1))].value);
                return;
            }
            case FieldKind::flags: {
                int64_t value = 0;
                for (const definitions::NamedValue& bit : field.names)
                    if (between(0, 1) == 1) value |= static_cast<uint32_t>(bit.value);
                store(at, field.width, value);
                return;
            }
            case FieldKind::tag_reference: {
                const auto found = tags_.find(field.reference_group);
                const int64_t count = found == tags_.end() ? 0 : std::ssize(found->second);
                // Always a tag where the group has some: rows enabled only while a
                // reference names one (buttons, dependent pickers) are then reached.
                const int64_t pick = count == 0 ? -1 : between(0, count - 1);
                store(at, 4, pick < 0 ? int64_t{NONE} : found->second[static_cast<size_t>(pick)]);
                return;
            }
            case FieldKind::sequence_index: store(at, field.width, between(-1, sequences_per_collection - 1)); return;
            case FieldKind::byte_fraction: store(at, field.width, between(0, 255)); return;
            case FieldKind::tag_code: {
                int64_t code = 0;
                for (int i = 0; i < 4; ++i) code = code << 8 | between('a', 'z');
                store(at, 4, code);
                return;
            }
            case FieldKind::real: {
                const float value = static_cast<float>(between(-4000, 4000)) / 8.0f;
                std::memcpy(at, &value, 4);
                return;
            }
            case FieldKind::rgb_color:
                for (int word = 0; word < 4; ++word) store(at + 2 * word, 2, between(0, 65535));
                return;
            case FieldKind::reserved:
                for (uint8_t i = 0; i < field.width; ++i) at[i] = static_cast<std::byte>(between(0, 255));
                return;
            default: store(at, field.width, between(low, high)); return;
        }
    }

    void draw_text(std::byte* at, uint32_t length) {
        std::memset(at, 0, length);
        if (length < 2) return;
        const int64_t used = between(1, length - 1);
        for (int64_t i = 0; i < used; ++i) at[i] = static_cast<std::byte>(between('a', 'z'));
    }

    std::mt19937 random_;
    const std::map<tag_code, std::vector<tag_code>>& tags_;
};

}  // namespace

std::vector<tag_code> groups_with_forms() {
    std::vector<tag_code> groups;
    for (const definitions::TagGroupEntry& row : definitions::tag_group_registry())
        if (CTagGroupRegistry::find_editor(row.group_tag) && row.description) groups.push_back(row.group_tag);
    return groups;
}

std::string group_test_name(tag_code group) {
    std::string name = tag_code_to_text(group);
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    return name;
}

toolkit::Form* form_of(CTagDialog& dialog) {
    if (auto* group_form = dynamic_cast<CFormTagDialog*>(&dialog)) return &group_form->form();
    if (auto* element_form = dynamic_cast<CFormElementDialog*>(&dialog)) return &element_form->form();
    return nullptr;
}

void for_each_declared_form(tag_code group,
                            const std::function<void(const toolkit::Form& form, uint32_t offset)>& visit) {
    const std::unique_ptr<CTagDialog> dialog(CTagGroupRegistry::open_editor(group, NONE, nullptr));
    ASSERT_NE(dialog, nullptr) << group_test_name(group);
    toolkit::Form* form = form_of(*dialog);
    ASSERT_NE(form, nullptr) << group_test_name(group) << " is not declared over the toolkit";
    walk_forms(*form, 0, 0, visit);
}

DescribedField described_field_at(const RecordDescription& record, uint32_t offset, FieldKind kind) {
    for (const FieldDescription& field : record.fields) {
        const uint32_t size = definitions::field_size(field);
        if (offset < field.offset || offset >= field.offset + size) continue;
        if (field.kind != FieldKind::record_array || !field.element) return {&field, offset - field.offset};
        const uint32_t inside = (offset - field.offset) % field.element->size;
        if (kind == FieldKind::record_array && inside == 0) {
            const DescribedField nested = described_field_at(*field.element, 0, kind);
            const bool starts_array = nested.field && nested.field->offset == 0 &&
                                      nested.field->kind == FieldKind::record_array;
            return starts_array ? nested : DescribedField{&field, offset - field.offset};
        }
        return described_field_at(*field.element, inside, kind);
    }
    return {};
}

void FormTest::SetUp() {
    EditorTest::SetUp();
    std::set<tag_code> groups;
    for (tag_code group : groups_with_forms()) referenced_groups(description_of(group), groups);
    for (tag_code group : groups) {
        for (int i = 1; i <= tags_per_group; ++i) {
            const std::string name = group_test_name(group) + " " + std::to_string(i);
            const bool collection = group == collections;
            tag_handle handle = create_tag(group, name,
                                           collection ? collection_with_sequences()
                                                      : definitions::default_record_in_file_order(group),
                                           tag_group_get_version(group));
            // Collections pass every user data filter of the pickers.
            if (collection) {
                EXPECT_TRUE(tag_set_user_data(handle, 0xFFFF));
            }
            tags[group].push_back(tag_get_subgroup(handle));
        }
    }
}

std::vector<std::byte> starting_record(tag_code group) {
    const auto* host_default = static_cast<const std::byte*>(definitions::get_default_definition(group));
    if (!host_default) return std::vector<std::byte>(description_of(group).size);
    return {host_default, host_default + definitions::get_definition_size(group)};
}

std::vector<std::byte> FormTest::random_record(tag_code group, uint32_t seed) {
    std::vector<std::byte> record = starting_record(group);
    RecordDraw draw(seed, tags);
    draw.fill(description_of(group), record.data());
    if (group == make_tag("soun")) {
        // A sound's definition locates its permutations in the data after it; a
        // drawn record stands alone, so it has none.
        definitions::sound_definition sound;
        std::memcpy(&sound, record.data(), sizeof sound);
        sound.permutation_count = 0;
        sound.permutation_list_size = 0;
        std::memcpy(record.data(), &sound, sizeof sound);
    }
    for_each_declared_form(group, [&](const toolkit::Form& form, uint32_t offset) {
        for (const toolkit::Row& row : form.rows()) {
            const toolkit::RowDescription& described = row.description();
            if (described.role != toolkit::RowRole::element_list) continue;
            const toolkit::Field count = described.fields.at(1).field;
            store(record.data() + offset + count.offset, count.size, draw.between(1, described.capacity));
        }
    });
    return record;
}

tag_code FormTest::create_record_tag(tag_code group, const std::string& name, std::vector<std::byte> record) {
    const definitions::TagGroupEntry& row = *definitions::find_group(group);
    if (row.byte_swap_codes.empty()) {
        const RecordDescription& description = description_of(group);
        byte_swap_data(description.name, record.data(), static_cast<int32_t>(record.size()), 1, description.codes);
    } else {
        definitions::record_to_file_order(row, record.data());
    }
    return tag_get_subgroup(create_tag(group, name, record, tag_group_get_version(group)));
}

std::unique_ptr<CTagDialog> FormTest::open_form(tag_code group, tag_code subgroup) {
    std::unique_ptr<CTagDialog> dialog(CTagGroupRegistry::open_editor(group, subgroup, nullptr));
    EXPECT_NE(dialog, nullptr) << group_test_name(group);
    if (dialog) dialog->show();
    return dialog;
}

void FormTest::accept_every_element_dialog(CTagDialog& top) {
    std::function<void(CTagDialog&, int)> walk = [this, &walk](CTagDialog& dialog, int depth) {
        toolkit::Form* form = form_of(dialog);
        if (!form || depth > deepest_dialog) return;
        const auto through = [&](const std::function<void()>& opening) {
            services.queue_dialog([&walk, depth](QDialog& opened) {
                if (auto* element = dynamic_cast<CTagDialog*>(&opened)) walk(*element, depth + 1);
                opened.accept();
            });
            opening();
            EXPECT_EQ(services.pending_dialog_scripts(), 0) << "a dialog did not open from " << dialog.template_id();
        };
        for (const toolkit::Row& row : form->rows()) {
            const toolkit::RowDescription& described = row.description();
            switch (described.role) {
                case toolkit::RowRole::element_button:
                case toolkit::RowRole::color_button: {
                    auto* button = dialog.control_as<QAbstractButton>(described.id);
                    if (button && button->isEnabled()) through([button] { button->click(); });
                    break;
                }
                case toolkit::RowRole::element_list: {
                    auto* list = dialog.control_as<CElementListDlg>(described.id);
                    for (int i = 0; list && i < list->count(); ++i) through([list, i] { list->open(i); });
                    break;
                }
                case toolkit::RowRole::sequence_list: {
                    auto* list = dialog.control_as<CSequenceListBox>(described.id);
                    for (int i = 0; list && i < list->count(); ++i) through([list, i] { list->open(i); });
                    break;
                }
                default: break;
            }
        }
    };
    walk(top, 0);
}

}  // namespace editor_test
