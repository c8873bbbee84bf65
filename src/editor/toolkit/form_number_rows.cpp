// The rows of numbers and texts: one box, or two for a range.

#include "editor/toolkit/form.h"

#include "editor/toolkit/exchange_choices.h"
#include "editor/toolkit/exchange_numbers.h"
#include "editor/toolkit/form_parts.h"

#include <QLabel>
#include <QLineEdit>

#include <algorithm>

namespace toolkit {

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

}  // namespace toolkit
