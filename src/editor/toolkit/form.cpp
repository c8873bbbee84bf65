#include "editor/toolkit/form.h"

#include "editor/data_exchange.h"
#include "editor/toolkit/form_parts.h"
#include "editor/toolkit/tag_reads.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>

#include <algorithm>

namespace toolkit {

QString name_of(std::span<const definitions::NamedValue> names, int32_t value) {
    const auto found = std::find_if(names.begin(), names.end(),
                                    [value](const definitions::NamedValue& named) { return named.value == value; });
    if (found == names.end()) qFatal("no name for the value %d", value);
    return QString::fromUtf8(found->name);
}

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

Row& Form::custom(int id, const QString& label, QWidget* control, std::function<void(CDataExchange&)> exchange) {
    return single(id, label, control, std::move(exchange));
}

Row& Form::shown(const QString& label, QWidget* widget) {
    return add_row(label, {widget}, {}, [](CDataExchange&) {});
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
