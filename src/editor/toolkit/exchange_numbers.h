#pragma once

// Exchange of numbers shown in edit boxes: every field kind, value ranges, and
// the few special integers some forms need. Each helper loads the control when the
// exchange loads and, when it saves, writes the field only if the user changed the
// control; text that does not parse or does not fit is refused and the exchange
// stops with the focus on the control.

#include "editor/toolkit/field_conversions.h"

#include <concepts>
#include <cstdint>

class CDataExchange;

namespace toolkit {

void exchange_number(CDataExchange& dx, int control_id, void* field, const NumberFormat& format);

// lower and delta are fields of `format`'s kind; delta_storage is the delta's width.
void exchange_range(CDataExchange& dx, int lower_id, int upper_id, void* lower, void* delta,
                    const NumberFormat& format, Storage delta_storage);

template <class Field, int width>
concept integer_of_width = std::integral<Field> && sizeof(Field) == width;

template <class Field>
constexpr Storage storage_of() {
    return {static_cast<uint8_t>(sizeof(Field)), std::is_signed_v<Field>};
}

}  // namespace toolkit

// The exchange helpers by field kind. A field may be declared with any integer type
// of the kind's width; the kind decides how its bits are read.

template <toolkit::integer_of_width<2> Field>
void DDX_Ticks(CDataExchange& dx, int id, Field& field) {
    toolkit::exchange_number(dx, id, &field, toolkit::game_ticks_format(2));
}
template <toolkit::integer_of_width<4> Field>
void DDX_LongTicks(CDataExchange& dx, int id, Field& field) {
    toolkit::exchange_number(dx, id, &field, toolkit::game_ticks_format(4));
}
template <toolkit::integer_of_width<2> Field>
void DDX_WorldDistance(CDataExchange& dx, int id, Field& field) {
    toolkit::exchange_number(dx, id, &field, toolkit::world_distance_format(2));
}
template <toolkit::integer_of_width<4> Field>
void DDX_LongWorldDistance(CDataExchange& dx, int id, Field& field) {
    toolkit::exchange_number(dx, id, &field, toolkit::world_distance_format(4));
}
template <toolkit::integer_of_width<2> Field>
void DDX_ShortFixed(CDataExchange& dx, int id, Field& field) {
    toolkit::exchange_number(dx, id, &field, toolkit::short_fixed_format());
}
template <toolkit::integer_of_width<4> Field>
void DDX_Fixed(CDataExchange& dx, int id, Field& field, int decimals = 5) {
    toolkit::exchange_number(dx, id, &field, toolkit::fixed_format(decimals));
}
template <toolkit::integer_of_width<2> Field>
void DDX_Fraction(CDataExchange& dx, int id, Field& field) {
    toolkit::exchange_number(dx, id, &field, toolkit::fraction_format());
}
// A byte, or the low byte of a 16-bit word that is written back zero-extended.
template <std::integral Field>
    requires(sizeof(Field) <= 2)
void DDX_ByteFraction(CDataExchange& dx, int id, Field& field) {
    toolkit::exchange_number(dx, id, &field, toolkit::byte_fraction_format(sizeof(Field)));
}
template <toolkit::integer_of_width<2> Field>
void DDX_Angle(CDataExchange& dx, int id, Field& field) {
    toolkit::exchange_number(dx, id, &field, toolkit::angle_format());
}
template <toolkit::integer_of_width<2> Field>
void DDX_AngularSpeed(CDataExchange& dx, int id, Field& field) {
    toolkit::exchange_number(dx, id, &field, toolkit::angular_speed_format());
}
inline void DDX_Short(CDataExchange& dx, int id, int16_t& field) {
    toolkit::exchange_number(dx, id, &field, toolkit::integer_format({2, true}));
}
inline void DDX_Char(CDataExchange& dx, int id, int8_t& field) {
    toolkit::exchange_number(dx, id, &field, toolkit::integer_format({1, true}));
}
inline void DDX_Byte(CDataExchange& dx, int id, uint8_t& field) {
    toolkit::exchange_number(dx, id, &field, toolkit::integer_format({1, false}));
}
// Any plain integer field, by its declared type.
template <std::integral Field>
void DDX_Integer(CDataExchange& dx, int id, Field& field) {
    toolkit::exchange_number(dx, id, &field, toolkit::integer_format(toolkit::storage_of<Field>()));
}
// A 32-bit field edited as a 16-bit integer and stored sign-extended.
template <toolkit::integer_of_width<4> Field>
void DDX_LongAsShort(CDataExchange& dx, int id, Field& field) {
    toolkit::NumberFormat format = toolkit::integer_format(toolkit::storage_of<Field>());
    format.control = toolkit::Storage{2, true};
    toolkit::exchange_number(dx, id, &field, format);
}
// Shown as stored + display_offset; an entry is stored less the offset and clamped
// into [minimum, maximum] (the scenery flag number: +1, -1..8).
template <std::integral Field>
void DDX_OffsetInteger(CDataExchange& dx, int id, Field& field, int32_t display_offset, int64_t minimum,
                       int64_t maximum) {
    toolkit::NumberFormat format = toolkit::integer_format(toolkit::storage_of<Field>());
    format.display_offset = display_offset;
    format.clamp_minimum = minimum;
    format.clamp_maximum = maximum;
    toolkit::exchange_number(dx, id, &field, format);
}
// An IEEE single-precision field shown with `decimals` decimals and saved as parsed.
inline void DDX_Float(CDataExchange& dx, int id, float& field, int decimals) {
    toolkit::exchange_number(dx, id, &field, toolkit::real_format(decimals));
}

// Value ranges: lower and delta fields, two edit boxes (lower and upper bound).
template <std::integral Field>
void DDX_TicksRange(CDataExchange& dx, int lower_id, int upper_id, Field& lower, Field& delta) {
    toolkit::exchange_range(dx, lower_id, upper_id, &lower, &delta, toolkit::game_ticks_format(sizeof(Field)),
                            toolkit::storage_of<Field>());
}
template <std::integral Field>
void DDX_WorldDistanceRange(CDataExchange& dx, int lower_id, int upper_id, Field& lower, Field& delta) {
    toolkit::exchange_range(dx, lower_id, upper_id, &lower, &delta,
                            toolkit::world_distance_format(sizeof(Field)), toolkit::storage_of<Field>());
}
template <toolkit::integer_of_width<2> Field>
void DDX_ShortFixedRange(CDataExchange& dx, int lower_id, int upper_id, Field& lower, Field& delta) {
    toolkit::exchange_range(dx, lower_id, upper_id, &lower, &delta, toolkit::short_fixed_format(),
                            toolkit::storage_of<Field>());
}
template <toolkit::integer_of_width<4> Field>
void DDX_FixedRange(CDataExchange& dx, int lower_id, int upper_id, Field& lower, Field& delta, int decimals = 5) {
    toolkit::exchange_range(dx, lower_id, upper_id, &lower, &delta, toolkit::fixed_format(decimals),
                            toolkit::storage_of<Field>());
}
template <toolkit::integer_of_width<2> Field>
void DDX_FractionRange(CDataExchange& dx, int lower_id, int upper_id, Field& lower, Field& delta) {
    toolkit::exchange_range(dx, lower_id, upper_id, &lower, &delta, toolkit::fraction_format(),
                            toolkit::storage_of<Field>());
}
inline void DDX_ShortRange(CDataExchange& dx, int lower_id, int upper_id, int16_t& lower, int16_t& delta) {
    toolkit::exchange_range(dx, lower_id, upper_id, &lower, &delta, toolkit::integer_format({2, true}),
                            {2, true});
}
