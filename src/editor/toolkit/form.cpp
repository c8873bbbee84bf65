#include "editor/toolkit/form.h"

#include "definitions/field_description.h"
#include "editor/data_exchange.h"
#include "editor/tag_dialog.h"
#include "editor/toolkit/color_picker.h"
#include "editor/toolkit/color_ref_button.h"
#include "editor/toolkit/control_state.h"
#include "editor/toolkit/exchange_choices.h"
#include "editor/toolkit/exchange_numbers.h"
#include "editor/toolkit/stored_value.h"
#include "editor/toolkit/tag_reads.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>

#include <algorithm>
#include <map>

namespace toolkit {

namespace {

constexpr const char* sequence_source_property = "toolkit_sequence_subgroup";
// QLineEdit's own inner margin on each side of the text (2 px), and a little room
// for the cursor.
constexpr int number_edit_padding = 8;

QLineEdit* new_edit() {
    auto* edit = new QLineEdit;
    edit->setMaximumWidth(110);
    return edit;
}

// However the window is squeezed, a number box shows its widest value whole: a
// narrowed box would show "800" for 0.800.
QLineEdit* new_number_edit(const NumberFormat& format) {
    QLineEdit* edit = new_edit();
    const QString widest = QString::fromStdString(widest_shown_text(format));
    const QMargins margins = edit->textMargins();
    const int frame = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, edit);
    const int width = edit->fontMetrics().horizontalAdvance(widest) + margins.left() + margins.right() + 2 * frame +
                      number_edit_padding;
    edit->setMinimumWidth(width);
    edit->setMaximumWidth(std::max(edit->maximumWidth(), width));
    return edit;
}

QComboBox* new_combo() {
    auto* combo = new QComboBox;
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(16);
    return combo;
}

void connect_user_change(QWidget* control, const std::function<void()>& handler) {
    if (auto* combo = qobject_cast<QComboBox*>(control)) {
        QObject::connect(combo, &QComboBox::activated, combo, [handler] { handler(); });
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        QObject::connect(button, &QAbstractButton::clicked, button, [handler] { handler(); });
    } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        QObject::connect(edit, &QLineEdit::textEdited, edit, [handler] { handler(); });
    }
}

definitions::FieldKind described_kind(NumberKind kind) {
    using definitions::FieldKind;
    switch (kind) {
        case NumberKind::integer: return FieldKind::integer;
        case NumberKind::world_distance: return FieldKind::world_distance;
        case NumberKind::game_ticks: return FieldKind::game_ticks;
        case NumberKind::short_fixed: return FieldKind::short_fixed;
        case NumberKind::fixed: return FieldKind::fixed;
        case NumberKind::fraction: return FieldKind::fraction;
        case NumberKind::byte_fraction: return FieldKind::byte_fraction;
        case NumberKind::angle: return FieldKind::angle;
        case NumberKind::angular_speed: return FieldKind::angular_speed;
        case NumberKind::real: return FieldKind::real;
    }
    return FieldKind::integer;
}

}  // namespace

QString name_of(std::span<const definitions::NamedValue> names, int32_t value) {
    const auto found = std::find_if(names.begin(), names.end(),
                                    [value](const definitions::NamedValue& named) { return named.value == value; });
    if (found == names.end()) qFatal("no name for the value %d", value);
    return QString::fromUtf8(found->name);
}

struct Form::Box {
    QWidget* container;
    QHBoxLayout* columns;  // null inside a line
    QFormLayout* column;   // null inside a line
    QHBoxLayout* line;     // set inside a line
    QGridLayout* grid;     // set inside a grid: each line is one of its rows
    int grid_rows;
};

// Rows -------------------------------------------------------------------------

Row& Row::enabled_by(int check_id) {
    std::vector<QWidget*> widgets = widgets_;
    form_.dependencies_.push_back([this, check_id, widgets] {
        const auto* check = form_.dialog_.control_as<QAbstractButton>(check_id);
        for (QWidget* widget : widgets) widget->setEnabled(!check || check->isChecked());
    });
    return *this;
}

Row& Row::shown_by(int check_id) {
    std::vector<QWidget*> widgets = widgets_;
    form_.dependencies_.push_back([this, check_id, widgets] {
        const auto* check = form_.dialog_.control_as<QAbstractButton>(check_id);
        for (QWidget* widget : widgets) widget->setVisible(!check || check->isChecked());
    });
    return *this;
}

Row& Row::enabled_while_chosen(int picker_id) {
    auto* picker = form_.dialog_.control_as<QComboBox>(picker_id);
    if (!picker) qFatal("row enabled by picker %d, which is not declared before it", picker_id);
    const std::vector<QWidget*> widgets = widgets_;
    const auto update = [picker, widgets] {
        for (QWidget* widget : widgets) widget->setEnabled(selected_reference(picker) != NONE);
    };
    form_.dependencies_.push_back(update);
    QObject::connect(picker, &QComboBox::currentIndexChanged, picker, update);
    return *this;
}

Row& Row::optional(int check_id, const QString& label, int64_t sentinel, WhenAbsent look) {
    auto* check = new QCheckBox(label);
    form_.dialog_.register_control(check_id, check);
    // The box takes the place of the row's label, or leads its line. The row was just
    // placed in the form's current box; a column of a box is a layout nested in the
    // box's own, so the widget's parent does not lead to it.
    QWidget* first = widgets_.front();
    const Form::Box& placed = *form_.boxes_.back();
    if (QFormLayout* form_layout = placed.line ? nullptr : placed.column) {
        int index = -1;
        QFormLayout::ItemRole role{};
        form_layout->getWidgetPosition(first, &index, &role);
        if (role == QFormLayout::LabelRole) {
            form_layout->removeWidget(first);
            first->hide();
            widgets_.erase(widgets_.begin());
            form_layout->setWidget(index, QFormLayout::LabelRole, check);
        } else {
            form_layout->insertRow(index, check);
        }
    } else if (placed.line) {
        placed.line->insertWidget(placed.line->indexOf(first), check);
    }

    look == WhenAbsent::hidden ? shown_by(check_id) : enabled_by(check_id);

    auto inner = exchange_;
    const std::vector<Field> fields = fields_;
    const std::vector<QWidget*> controls = controls_;
    std::byte* record = form_.record_;
    std::optional<NumberFormat> format = format_;
    exchange_ = [inner, fields, controls, record, check, sentinel, format](CDataExchange& dx) {
        const auto holds_sentinel = [&] {
            return std::all_of(fields.begin(), fields.end(), [&](const Field& field) {
                return load_stored(record + field.offset, field.storage()) == sentinel;
            });
        };
        if (dx.is_loading()) {
            inner(dx);
            const bool present = !holds_sentinel();
            check->setChecked(present);
            remember_loaded_state(check);
            if (!present && format) {
                for (QWidget* control : controls)
                    if (auto* edit = qobject_cast<QLineEdit*>(control))
                        edit->setText(QString::fromStdString(format_stored(*format, 0)));
            }
            return;
        }
        if (check->isChecked()) {
            inner(dx);
            return;
        }
        if (dx.failed() || (!changed_since_load(check) && holds_sentinel())) return;
        for (const Field& field : fields) store_stored(record + field.offset, field.storage(), sentinel);
    };
    return *this;
}

Row& Row::exchanged_if(std::function<bool()> condition) {
    condition_ = std::move(condition);
    return *this;
}

Row& Row::on_change(std::function<void()> handler) {
    for (QWidget* control : controls_) connect_user_change(control, handler);
    return *this;
}

Row& Row::overlays(definitions::FieldKind described) {
    for (RowField& shown : description_.fields) shown.kind = described;
    return *this;
}

// Form -------------------------------------------------------------------------

Form::Form(CTagDialog& dialog, void* record, size_t record_size)
    : dialog_(dialog), record_(static_cast<std::byte*>(record)), record_size_(record_size), root_(new QWidget) {
    push_box(root_);
}

Form::~Form() = default;

void Form::check_field(Field field, std::initializer_list<int> sizes) const {
    const bool width_ok = std::find(sizes.begin(), sizes.end(), field.size) != sizes.end();
    if (!width_ok || field.offset + static_cast<size_t>(std::max<int>(field.size, 1)) > record_size_)
        qFatal("form field at offset %u of width %u does not fit its row", field.offset, field.size);
}

void Form::push_box(QWidget* container) {
    auto* columns = new QHBoxLayout(container);
    auto* column = new QFormLayout;
    columns->addLayout(column);
    boxes_.push_back(std::make_unique<Box>(Box{container, columns, column, nullptr, nullptr, 0}));
}

void Form::pop_box() { boxes_.pop_back(); }

Row& Form::described(Row& row, RowRole role, std::vector<RowField> fields) {
    row.description_.role = role;
    row.description_.fields = std::move(fields);
    return row;
}

QWidget* Form::place(const QString& label, std::vector<QWidget*> controls) {
    Box& box = *boxes_.back();
    QLabel* label_widget = label.isEmpty() ? nullptr : new QLabel(label);
    if (box.line) {
        if (label_widget) box.line->addWidget(label_widget);
        for (QWidget* control : controls) box.line->addWidget(control);
        return label_widget;
    }
    if (box.grid) {
        const int row = box.grid_rows++;
        int column = 0;
        if (label_widget) box.grid->addWidget(label_widget, row, column++);
        for (QWidget* control : controls) box.grid->addWidget(control, row, column++);
        return label_widget;
    }
    QWidget* field = controls.front();
    if (controls.size() > 1) {
        field = new QWidget;
        auto* holder = new QHBoxLayout(field);
        holder->setContentsMargins(0, 0, 0, 0);
        for (QWidget* control : controls) holder->addWidget(control);
        holder->addStretch();
    }
    if (label_widget) {
        label_widget->setBuddy(controls.front());
        box.column->addRow(label_widget, field);
    } else {
        box.column->addRow(field);
    }
    return label_widget;
}

Row& Form::add_row(const QString& label, std::vector<QWidget*> shown,
                   std::vector<std::pair<int, QWidget*>> registered, std::function<void(CDataExchange&)> exchange) {
    rows_.push_back(Row(*this));
    Row& row = rows_.back();
    if (!registered.empty()) row.description_.id = registered.front().first;
    for (const auto& [id, control] : registered) {
        dialog_.register_control(id, control);
        row.controls_.push_back(control);
    }
    QWidget* label_widget = place(label, shown);
    if (label_widget) row.widgets_.push_back(label_widget);
    for (QWidget* widget : shown) row.widgets_.push_back(widget);
    row.exchange_ = std::move(exchange);
    return row;
}

Row& Form::single(int id, const QString& label, QWidget* control, std::function<void(CDataExchange&)> exchange) {
    return add_row(label, {control}, {{id, control}}, std::move(exchange));
}

Row& Form::edit_row(int id, const QString& label, Field field, const NumberFormat& format) {
    void* target = at(field);
    Row& row = single(id, label, new_number_edit(format),
                       [id, target, format](CDataExchange& dx) { exchange_number(dx, id, target, format); });
    row.fields_ = {field};
    row.format_ = format;
    return described(row, RowRole::value, {{field, described_kind(format.kind)}});
}

Row& Form::number(int id, const QString& label, Field field, const NumberFormat& format) {
    check_field(field, {format.kind == NumberKind::real ? 4 : format.storage.width});
    return edit_row(id, label, field, format);
}

Row& Form::distance(int id, const QString& label, Field field) {
    check_field(field, {2, 4});
    return edit_row(id, label, field, world_distance_format(field.size));
}

Row& Form::ticks(int id, const QString& label, Field field) {
    check_field(field, {2, 4});
    return edit_row(id, label, field, game_ticks_format(field.size));
}

Row& Form::short_fixed(int id, const QString& label, Field field) { return number(id, label, field, short_fixed_format()); }

Row& Form::fixed(int id, const QString& label, Field field, int decimals) {
    return number(id, label, field, fixed_format(decimals));
}

Row& Form::fraction(int id, const QString& label, Field field) { return number(id, label, field, fraction_format()); }

Row& Form::byte_fraction(int id, const QString& label, Field field) {
    check_field(field, {1, 2});
    return edit_row(id, label, field, byte_fraction_format(field.size));
}

Row& Form::angle(int id, const QString& label, Field field) { return number(id, label, field, angle_format()); }

Row& Form::angular_speed(int id, const QString& label, Field field) {
    return number(id, label, field, angular_speed_format());
}

Row& Form::integer(int id, const QString& label, Field field) {
    check_field(field, {1, 2, 4});
    return edit_row(id, label, field, integer_format(field.storage()));
}

Row& Form::long_as_short(int id, const QString& label, Field field) {
    check_field(field, {4});
    NumberFormat format = integer_format(field.storage());
    format.control = Storage{2, true};
    return edit_row(id, label, field, format);
}

Row& Form::offset_integer(int id, const QString& label, Field field, int32_t display_offset, int64_t minimum,
                          int64_t maximum) {
    check_field(field, {1, 2, 4});
    NumberFormat format = integer_format(field.storage());
    format.display_offset = display_offset;
    format.clamp_minimum = minimum;
    format.clamp_maximum = maximum;
    return edit_row(id, label, field, format);
}

Row& Form::real(int id, const QString& label, Field field, int decimals) {
    return number(id, label, field, real_format(decimals));
}

Row& Form::text(int id, const QString& label, Field field, size_t capacity) {
    if (field.offset + capacity > record_size_) qFatal("text field at offset %u does not fit the record", field.offset);
    char* target = reinterpret_cast<char*>(at(field));
    // Wide enough for names, which seldom fill their field.
    QLineEdit* edit = new_edit();
    const int shown_characters = static_cast<int>(std::min<size_t>(capacity, 64)) / 2;
    edit->setMaximumWidth(edit->fontMetrics().averageCharWidth() * shown_characters + 40);
    return described(single(id, label, edit,
                            [id, target, capacity](CDataExchange& dx) { exchange_text(dx, id, target, capacity); }),
                     RowRole::value, {{field, definitions::FieldKind::text}});
}

Row& Form::range(int lower_id, int upper_id, const QString& label, Field lower, Field delta,
                 const NumberFormat& format) {
    check_field(lower, {format.storage.width});
    check_field(delta, {format.storage.width});
    void* lower_target = at(lower);
    void* delta_target = at(delta);
    const Storage delta_storage = delta.storage();
    QLineEdit* lower_edit = new_number_edit(format);
    QLineEdit* upper_edit = new_number_edit(format);
    Row& row = add_row(label, {lower_edit, new QLabel(QStringLiteral("to")), upper_edit},
                       {{lower_id, lower_edit}, {upper_id, upper_edit}}, [=](CDataExchange& dx) {
                           exchange_range(dx, lower_id, upper_id, lower_target, delta_target, format, delta_storage);
                       });
    row.fields_ = {lower, delta};
    row.format_ = format;
    return described(row, RowRole::value,
                     {{lower, described_kind(format.kind)}, {delta, described_kind(format.kind)}});
}

Row& Form::distance_range(int lower_id, int upper_id, const QString& label, Field lower, Field delta) {
    check_field(lower, {2, 4});
    return range(lower_id, upper_id, label, lower, delta, world_distance_format(lower.size));
}

Row& Form::ticks_range(int lower_id, int upper_id, const QString& label, Field lower, Field delta) {
    check_field(lower, {2, 4});
    return range(lower_id, upper_id, label, lower, delta, game_ticks_format(lower.size));
}

Row& Form::short_fixed_range(int lower_id, int upper_id, const QString& label, Field lower, Field delta) {
    return range(lower_id, upper_id, label, lower, delta, short_fixed_format());
}

Row& Form::fixed_range(int lower_id, int upper_id, const QString& label, Field lower, Field delta, int decimals) {
    return range(lower_id, upper_id, label, lower, delta, fixed_format(decimals));
}

Row& Form::fraction_range(int lower_id, int upper_id, const QString& label, Field lower, Field delta) {
    return range(lower_id, upper_id, label, lower, delta, fraction_format());
}

Row& Form::integer_range(int lower_id, int upper_id, const QString& label, Field lower, Field delta) {
    check_field(lower, {1, 2, 4});
    return range(lower_id, upper_id, label, lower, delta, integer_format(lower.storage()));
}

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
        if (listed) {
            fill_filtered_reference_picker(combo, group, filter, *listed);
        } else {
            combo->clear();
            combo->addItem(QString::fromLatin1(no_tag_text), int32_t{NONE});
        }
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
    return described(single(id, label, new_combo(),
                            [=, this](CDataExchange& dx) {
                                if (dx.is_loading() && !dx.failed())
                                    if (auto* combo = dialog_.control_as<QComboBox>(id))
                                        fill_sequence_picker(combo, collection(), source);
                                exchange_sequence_index(dx, id, target);
                            }),
                     RowRole::value, {{field, definitions::FieldKind::sequence_index}});
}

Row& Form::current_collection_sequence(int id, const QString& label, Field field, SequenceSource source) {
    return sequence(id, label, field, [this] { return static_cast<tag_code>(dialog_.GetCurrentCollection()); },
                    source);
}

Row& Form::dependent_sequence(int id, const QString& label, Field field, int collection_picker_id,
                              SequenceSource source) {
    check_field(field, {2});
    void* target = at(field);
    Row& row = single(id, label, new_combo(), [=](CDataExchange& dx) {
        exchange_dependent_sequence(dx, collection_picker_id, id, target, source);
        if (dx.is_loading())
            if (auto* combo = dx.dialog().control_as<QComboBox>(id))
                combo->setProperty(sequence_source_property, selected_reference(
                                       dx.dialog().control_as<QComboBox>(collection_picker_id)));
    });
    auto* picker = dialog_.control_as<QComboBox>(collection_picker_id);
    if (!picker) qFatal("sequence picker %d depends on %d, which is not declared before it", id, collection_picker_id);
    auto* sequences = dialog_.control_as<QComboBox>(id);
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

Row& Form::custom(int id, const QString& label, QWidget* control, std::function<void(CDataExchange&)> exchange) {
    return single(id, label, control, std::move(exchange));
}

Row& Form::shown(const QString& label, QWidget* widget) {
    return add_row(label, {widget}, {}, [](CDataExchange&) {});
}

void Form::column() {
    Box& box = *boxes_.back();
    if (!box.columns) return;
    box.column = new QFormLayout;
    box.columns->addLayout(box.column);
}

void Form::group(const QString& title, const std::function<void()>& body) {
    auto* group_box = new QGroupBox(title);
    place(QString(), {group_box});
    push_box(group_box);
    body();
    pop_box();
}

void Form::line(const QString& label, const std::function<void()>& body) {
    Box& outer = *boxes_.back();
    QGridLayout* grid = outer.grid;
    auto* holder = new QWidget;
    auto* layout = new QHBoxLayout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
    if (!grid) place(label, {holder});
    boxes_.push_back(std::make_unique<Box>(Box{holder, nullptr, nullptr, layout, nullptr, 0}));
    if (grid && !label.isEmpty()) place(label, {});
    body();
    pop_box();
    if (!grid) {
        layout->addStretch();
        return;
    }
    // The line was built whole (rows may put a check box before their controls);
    // now each of its widgets moves into a column of the grid's next row.
    const int row = outer.grid_rows++;
    for (int column = 0; QLayoutItem* item = layout->takeAt(0); ++column) {
        if (QWidget* widget = item->widget()) grid->addWidget(widget, row, column);
        delete item;
    }
    delete holder;
}

void Form::grid(const std::function<void()>& body) {
    auto* holder = new QWidget;
    auto* grid = new QGridLayout(holder);
    grid->setContentsMargins(0, 0, 0, 0);
    place(QString(), {holder});
    boxes_.push_back(std::make_unique<Box>(Box{holder, nullptr, nullptr, nullptr, grid, 0}));
    body();
    pop_box();
    grid->setColumnStretch(grid->columnCount(), 1);
}

void Form::pages(int tab_id, const std::function<void()>& body) {
    auto* tabs = new QTabWidget;
    // Every page's title stays in sight: the dialog widens to the whole tab bar.
    tabs->setUsesScrollButtons(false);
    dialog_.register_control(tab_id, tabs);
    place(QString(), {tabs});
    QTabWidget* outer = tabs_;
    tabs_ = tabs;
    body();
    tabs_ = outer;
}

void Form::page(const QString& title, const std::function<void()>& body) {
    if (!tabs_) qFatal("page \"%s\" outside of pages", qPrintable(title));
    auto* container = new QWidget;
    tabs_->addTab(container, title);
    push_box(container);
    body();
    boxes_.back()->column->addItem(new QSpacerItem(0, 0, QSizePolicy::Minimum, QSizePolicy::Expanding));
    pop_box();
}

void Form::around_frame(const std::function<void()>& above, const std::function<void()>& left,
                        const std::function<void()>& right, const std::function<void()>& below) {
    auto* holder = new QWidget;
    auto* grid = new QGridLayout(holder);
    grid->setContentsMargins(0, 0, 0, 0);
    auto* frame = new QFrame;
    frame->setFrameShape(QFrame::Box);
    frame->setMinimumSize(80, 48);
    grid->addWidget(frame, 1, 1);
    place(QString(), {holder});
    const auto cell = [this, grid](int row, int column, const std::function<void()>& body) {
        auto* container = new QWidget;
        auto* layout = new QHBoxLayout(container);
        layout->setContentsMargins(0, 0, 0, 0);
        grid->addWidget(container, row, column, Qt::AlignCenter);
        boxes_.push_back(std::make_unique<Box>(Box{container, nullptr, nullptr, layout, nullptr, 0}));
        body();
        pop_box();
    };
    cell(0, 1, above);
    cell(1, 0, left);
    cell(1, 2, right);
    cell(2, 1, below);
}

void Form::after_load(std::function<void()> hook) { after_load_.push_back(std::move(hook)); }

void Form::separately_converted(std::function<void()> convert) { conversions_.push_back(std::move(convert)); }

int32_t Form::current_collection() const {
    const auto* picker = collection_picker_id_ ? dialog_.control_as<QComboBox>(collection_picker_id_) : nullptr;
    return picker ? selected_reference(picker) : int32_t{NONE};
}

void Form::update_dependencies() {
    for (const auto& update : dependencies_) update();
}

void Form::exchange(CDataExchange& dx) {
    const SequenceNamesScope one_read_per_collection;
    if (dx.is_loading() && !dependencies_connected_) {
        dependencies_connected_ = true;
        for (auto* check : root_->findChildren<QAbstractButton*>())
            QObject::connect(check, &QAbstractButton::toggled, root_, [this] { update_dependencies(); });
    }
    std::vector<Row*> exchanged;
    for (Row& row : rows_)
        if (!row.condition_ || row.condition_()) exchanged.push_back(&row);
    for (Row* row : exchanged) {
        row->exchange_(dx);
        if (dx.failed()) return;
    }
    if (!dx.is_loading()) return;
    update_dependencies();
    for (const auto& hook : after_load_) hook();
}

}  // namespace toolkit
