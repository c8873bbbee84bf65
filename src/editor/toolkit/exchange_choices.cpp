#include "editor/toolkit/exchange_choices.h"

#include "editor/character_translation.h"
#include "editor/data_exchange.h"
#include "editor/toolkit/control_state.h"
#include "editor/toolkit/exchange_failure.h"
#include "editor/toolkit/stored_value.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>

#include <cstring>
#include <string>

namespace toolkit {

void exchange_enumeration(CDataExchange& dx, int control_id, void* field, Storage storage, int bias,
                          std::optional<Storage> control) {
    if (dx.failed()) return;
    auto* combo = qobject_cast<QComboBox*>(dx.prepare_control(control_id));
    if (!combo) return;
    if (dx.is_loading()) {
        int64_t value = load_stored(field, storage);
        if (control) value = control->wrap(value);
        const int64_t item = std::max<int64_t>(value + bias, 0);
        combo->setCurrentIndex(item < combo->count() ? static_cast<int>(item) : -1);
        remember_loaded_state(combo);
        return;
    }
    if (!changed_since_load(combo) || combo->currentIndex() < 0) return;
    store_stored(field, storage, combo->currentIndex() - bias);
}

void exchange_flag(CDataExchange& dx, int control_id, void* field, Storage storage, uint32_t mask) {
    if (dx.failed()) return;
    auto* box = qobject_cast<QAbstractButton*>(dx.prepare_control(control_id));
    if (!box) return;
    const auto bits = static_cast<uint32_t>(load_stored(field, storage));
    if (dx.is_loading()) {
        box->setChecked((bits & mask) == mask);
        remember_loaded_state(box);
        return;
    }
    if (!changed_since_load(box)) return;
    store_stored(field, storage, box->isChecked() ? (bits | mask) : (bits & ~mask));
}

void exchange_text(CDataExchange& dx, int control_id, char* field, size_t capacity) {
    if (dx.failed() || capacity == 0) return;
    auto* edit = qobject_cast<QLineEdit*>(dx.prepare_control(control_id));
    if (!edit) return;
    const size_t longest = capacity - 1;
    if (dx.is_loading()) {
        std::string shown(field, strnlen(field, longest));
        for (char& c : shown) c = static_cast<char>(to_display_character(static_cast<unsigned char>(c)));
        edit->setMaxLength(static_cast<int>(longest));
        edit->setText(text_from_windows_1252(shown));
        remember_loaded_state(edit);
        return;
    }
    if (!changed_since_load(edit) || refuse_unheld_character(dx, edit, HeldText::game_text)) return;
    std::string stored = text_to_windows_1252(edit->text()).substr(0, longest);
    for (char& c : stored) c = static_cast<char>(from_display_character(static_cast<unsigned char>(c)));
    std::memset(field, 0, capacity);
    std::memcpy(field, stored.data(), stored.size());
}

void fill_combo(QComboBox* combo, const QStringList& names) {
    combo->clear();
    combo->addItems(names);
}

}  // namespace toolkit
