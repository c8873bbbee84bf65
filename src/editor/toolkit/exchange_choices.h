#pragma once

// Exchange of enumerations (combo boxes), flag bits (check boxes) and fixed-length
// text fields (edit boxes). As for numbers, an untouched control writes nothing back.

#include "editor/toolkit/exchange_numbers.h"

#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <optional>

class CDataExchange;
class QComboBox;

namespace toolkit {

// bias 1: item 0 stands for NONE (-1) and item k for k - 1; bias 0: item k is k.
// A stored value whose item does not exist leaves the combo box without selection;
// a save with nothing selected keeps the stored value. `control`: a narrower value
// through which a wider field is exchanged (stored sign-extended).
void exchange_enumeration(CDataExchange& dx, int control_id, void* field, Storage storage, int bias,
                          std::optional<Storage> control = std::nullopt);

// Checked when every bit of `mask` is set; saving sets or clears those bits only.
void exchange_flag(CDataExchange& dx, int control_id, void* field, Storage storage, uint32_t mask);

// Game text of at most capacity - 1 characters, stored zero-terminated and padded.
void exchange_text(CDataExchange& dx, int control_id, char* field, size_t capacity);

void fill_combo(QComboBox* combo, const QStringList& names);

}  // namespace toolkit

template <std::integral Field>
void DDX_Enumeration(CDataExchange& dx, int id, Field& field, int bias) {
    toolkit::exchange_enumeration(dx, id, &field, toolkit::storage_of<Field>(), bias);
}
template <toolkit::integer_of_width<1> Field>
void DDX_ByteEnumeration(CDataExchange& dx, int id, Field& field, int bias) {
    toolkit::exchange_enumeration(dx, id, &field, toolkit::storage_of<Field>(), bias);
}
// A 32-bit enumeration exchanged through a 16-bit value and stored sign-extended.
template <toolkit::integer_of_width<4> Field>
void DDX_LongEnumerationAsShort(CDataExchange& dx, int id, Field& field, int bias) {
    toolkit::exchange_enumeration(dx, id, &field, {4, true}, bias, toolkit::Storage{2, true});
}
template <toolkit::integer_of_width<4> Field>
void DDX_FlagLong(CDataExchange& dx, int id, Field& field, uint32_t mask) {
    toolkit::exchange_flag(dx, id, &field, {4, false}, mask);
}
template <toolkit::integer_of_width<2> Field>
void DDX_FlagWord(CDataExchange& dx, int id, Field& field, uint32_t mask) {
    toolkit::exchange_flag(dx, id, &field, {2, false}, mask);
}
template <toolkit::integer_of_width<1> Field>
void DDX_FlagByte(CDataExchange& dx, int id, Field& field, uint32_t mask) {
    toolkit::exchange_flag(dx, id, &field, {1, false}, mask);
}
template <size_t capacity>
void DDX_FixedText(CDataExchange& dx, int id, char (&field)[capacity]) {
    toolkit::exchange_text(dx, id, field, capacity);
}
