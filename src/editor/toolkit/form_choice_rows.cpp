// The rows of choices: enumerations, flags, tag references, sequences, element
// lists and buttons, colours.

#include "editor/toolkit/form.h"

#include "editor/data_exchange.h"
#include "editor/toolkit/color_picker.h"
#include "editor/toolkit/color_ref_button.h"
#include "editor/toolkit/collection_viewer_link.h"
#include "editor/toolkit/exchange_choices.h"
#include "editor/toolkit/form_parts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QToolButton>

#include <algorithm>
#include <map>

namespace toolkit {

namespace {

constexpr const char* sequence_source_property = "toolkit_sequence_subgroup";

}  // namespace

Row& Form::enumeration(int id, const QString& label, Field field, const QStringList& names, int bias) {
    check_field(field, {1, 2, 4});
    auto* combo = new_combo();
    fill_combo(combo, names);
    void* target = at(field);
    const Storage storage = field.size == 4 ? Storage{4, true} : field.storage();
    const std::optional<Storage> control = field.size == 4 ? std::optional<Storage>(Storage{2, true}) : std::nullopt;
    return described(single(id, label, combo,
                            [id, target, storage, bias, control](CDataExchange& dx) {
                                exchange_enumeration(dx, id, target, storage, bias, control);
                            }),
                     RowRole::value, {{field, definitions::FieldKind::enumeration}});
}

Row& Form::enumeration(int id, const QString& label, Field field, std::span<const definitions::NamedValue> names,
                       int bias) {
    // Item k stands for the value k - bias.
    std::map<int32_t, QString> by_value;
    for (const definitions::NamedValue& named : names) by_value[named.value] = QString::fromUtf8(named.name);
    QStringList items;
    for (int32_t value = -bias; by_value.count(value) != 0; ++value) items << by_value[value];
    if (items.size() != static_cast<qsizetype>(names.size()))
        qFatal("enumeration names of row %d are not consecutive from %d", id, -bias);
    return enumeration(id, label, field, items, bias);
}

Row& Form::flag(int id, const QString& label, Field field, uint32_t mask) {
    check_field(field, {1, 2, 4});
    void* target = at(field);
    const Storage storage{field.size, false};
    return described(single(id, QString(), new QCheckBox(label),
                            [id, target, storage, mask](CDataExchange& dx) {
                                exchange_flag(dx, id, target, storage, mask);
                            }),
                     RowRole::value, {{field, definitions::FieldKind::flags}});
}

void Form::flags(int first_id, Field field, std::span<const definitions::NamedValue> bits) {
    int id = first_id;
    for (const definitions::NamedValue& bit : bits)
        flag(id++, QString::fromUtf8(bit.name), field, static_cast<uint32_t>(bit.value));
}

Row& Form::reference(int id, const QString& label, tag_code group, Field field) {
    check_field(field, {4});
    void* target = at(field);
    return described(single(id, label, new_combo(),
                            [id, group, target](CDataExchange& dx) { exchange_tag_reference(dx, id, group, target); }),
                     RowRole::value, {{field, definitions::FieldKind::tag_reference}});
}

Row& Form::filtered_reference(int id, const QString& label, tag_code group, Field field,
                              tag_reference_filter filter, int32_t argument) {
    check_field(field, {4});
    void* target = at(field);
    return described(single(id, label, new_combo(),
                            [=](CDataExchange& dx) {
                                exchange_filtered_tag_reference(dx, id, group, target, filter, argument);
                            }),
                     RowRole::value, {{field, definitions::FieldKind::tag_reference}});
}

Row& Form::dependent_reference(int id, const QString& label, tag_code group, Field field,
                               tag_reference_filter filter, int source_id,
                               std::function<std::optional<int32_t>(int32_t chosen)> argument) {
    check_field(field, {4});
    auto* source = dialog_.control_as<QComboBox>(source_id);
    if (!source) qFatal("picker %d depends on %d, which is not declared before it", id, source_id);
    void* target = at(field);
    QComboBox* combo = new_combo();
    const auto refill = [combo, source, group, filter, argument] {
        const std::optional<int32_t> listed = argument(selected_reference(source));
        fill_filtered_reference_picker(combo, group, listed ? filter : nullptr, listed.value_or(NONE));
        combo->setEnabled(listed.has_value());
    };
    Row& row = described(single(id, label, combo,
                                [id, group, target, refill](CDataExchange& dx) {
                                    if (dx.is_loading() && !dx.failed()) refill();
                                    exchange_reference(dx, id, group, target);
                                }),
                         RowRole::value, {{field, definitions::FieldKind::tag_reference}});
    QObject::connect(source, &QComboBox::activated, combo, [combo, refill] {
        const int32_t selected = selected_reference(combo);
        refill();
        const int kept = combo->findData(selected, Qt::UserRole);
        combo->setCurrentIndex(kept >= 0 ? kept : 0);
    });
    return row;
}

Row& Form::sequence(int id, const QString& label, Field field, std::function<tag_code()> collection,
                    SequenceSource source) {
    check_field(field, {2});
    void* target = at(field);
    QComboBox* combo = new_combo();
    QToolButton* show =
        new_show_button(combo, [collection, source] { return collection_of_source(collection(), source); });
    Row& row = add_row(label, {combo, show}, {{id, combo}}, [=, this](CDataExchange& dx) {
        if (dx.is_loading() && !dx.failed())
            if (auto* combo = dialog_.control_as<QComboBox>(id)) fill_sequence_picker(combo, collection(), source);
        exchange_sequence_index(dx, id, target);
    });
    return described(row, RowRole::value, {{field, definitions::FieldKind::sequence_index}});
}

Row& Form::current_collection_sequence(int id, const QString& label, Field field, SequenceSource source) {
    return sequence(id, label, field, [this] { return static_cast<tag_code>(dialog_.GetCurrentCollection()); },
                    source);
}

Row& Form::dependent_sequence(int id, const QString& label, Field field, int collection_picker_id,
                              SequenceSource source) {
    check_field(field, {2});
    void* target = at(field);
    auto* picker = dialog_.control_as<QComboBox>(collection_picker_id);
    if (!picker) qFatal("sequence picker %d depends on %d, which is not declared before it", id, collection_picker_id);
    QComboBox* sequences = new_combo();
    QToolButton* show = new_show_button(sequences, [picker, source] {
        return collection_of_source(static_cast<tag_code>(selected_reference(picker)), source);
    });
    Row& row = add_row(label, {sequences, show}, {{id, sequences}}, [=](CDataExchange& dx) {
        exchange_dependent_sequence(dx, collection_picker_id, id, target, source);
        if (dx.is_loading())
            if (auto* combo = dx.dialog().control_as<QComboBox>(id))
                combo->setProperty(sequence_source_property, selected_reference(
                                       dx.dialog().control_as<QComboBox>(collection_picker_id)));
    });
    // Picking the collection already shown keeps the chosen sequence.
    QObject::connect(picker, &QComboBox::activated, sequences, [this, picker, sequences, id, collection_picker_id,
                                                               source] {
        const int32_t chosen = selected_reference(picker);
        if (sequences->property(sequence_source_property).toInt() == chosen) return;
        refill_dependent_sequence_picker(dialog_, collection_picker_id, id, source);
        sequences->setProperty(sequence_source_property, chosen);
    });
    return described(row, RowRole::value, {{field, definitions::FieldKind::sequence_index}});
}

Row& Form::element_list(int id, const ElementListConfig& config, Field array, Field count) {
    check_field(count, {1, 2, 4});
    if (array.offset + config.element_size * static_cast<size_t>(config.capacity) > record_size_)
        qFatal("element list %d does not fit the record", id);
    auto* list = new CElementListDlg(dialog_, config);
    void* array_target = at(array);
    void* count_target = at(count);
    const Storage count_storage = count.storage();
    Row& row = described(single(id, QString(), list,
                                [=](CDataExchange& dx) {
                                    exchange_element_count(dx, id, array_target, count_target, count_storage);
                                }),
                         RowRole::element_list,
                         {{array, definitions::FieldKind::record_array}, {count, definitions::FieldKind::integer}});
    row.description_.element = array;
    row.description_.factory = config.factory;
    row.description_.element_size = config.element_size;
    row.description_.capacity = config.capacity;
    return row;
}

Row& Form::element_button(int id, const QString& label, const QString& caption, Field element,
                          ElementDialogFactory factory) {
    void* target = at(element);
    Row& row = button(id, label, [this, caption, target, factory] {
        run_element_dialog(factory, caption, &dialog_, target);
    });
    row.description_.role = RowRole::element_button;
    row.description_.element = element;
    row.description_.factory = std::move(factory);
    return row;
}

Row& Form::button(int id, const QString& label, std::function<void()> action) {
    auto* push = new QPushButton(label);
    push->setAutoDefault(false);
    QObject::connect(push, &QPushButton::clicked, push, [action] { action(); });
    return single(id, QString(), push, [](CDataExchange&) {});
}

Row& Form::sequence_list(int id, const SequenceListConfig& config, Field array, int count) {
    if (array.offset + config.element_size * static_cast<size_t>(std::max(count, 0)) > record_size_)
        qFatal("sequence list %d does not fit the record", id);
    auto* list = new CSequenceListBox(dialog_, config);
    void* target = at(array);
    Row& row = described(single(id, QString(), list,
                                [this, list, target, count](CDataExchange& dx) {
                                    if (dx.is_loading())
                                        list->bind(target, count,
                                                   static_cast<tag_code>(dialog_.GetCurrentCollection()));
                                }),
                         RowRole::sequence_list, {{array, definitions::FieldKind::record_array}});
    row.description_.element = array;
    row.description_.factory = config.factory;
    row.description_.element_size = config.element_size;
    row.description_.capacity = count;
    return row;
}

Row& Form::color_button(int id, const QString& label, Field color) {
    if (color.offset + 8 > record_size_) qFatal("colour of button %d does not fit the record", id);
    auto* words = reinterpret_cast<uint16_t*>(at(color));
    return described(button(id, label, [this, words] { pick_rgb_color(&dialog_, words); }), RowRole::color_button,
                     {{color, definitions::FieldKind::rgb_color}});
}

Row& Form::color_ref_button(int id, const QString& label, Field color) {
    if (color.offset + 8 > record_size_) qFatal("colour of button %d does not fit the record", id);
    auto* words = reinterpret_cast<uint16_t*>(at(color));
    return described(single(id, label, new CColorRefButton,
                            [id, words](CDataExchange& dx) { exchange_color_ref(dx, id, words); }),
                     RowRole::value, {{color, definitions::FieldKind::rgb_color}});
}

}  // namespace toolkit
