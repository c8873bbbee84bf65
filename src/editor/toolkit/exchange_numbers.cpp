#include "editor/toolkit/exchange_numbers.h"

#include "editor/data_exchange.h"
#include "editor/tag_dialog.h"
#include "editor/toolkit/control_state.h"
#include "editor/toolkit/exchange_failure.h"
#include "editor/toolkit/stored_value.h"

#include <QLineEdit>

#include <algorithm>

namespace toolkit {

namespace {

Storage field_storage(const NumberFormat& format) {
    // The bits of a float field travel unchanged.
    return format.kind == NumberKind::real ? Storage{4, false} : format.storage;
}

QLineEdit* prepared_edit(CDataExchange& dx, int control_id) {
    return qobject_cast<QLineEdit*>(dx.prepare_control(control_id));
}

void show(QLineEdit* edit, const std::string& text) {
    edit->setText(QString::fromStdString(text));
    remember_loaded_state(edit);
}

}  // namespace

void exchange_number(CDataExchange& dx, int control_id, void* field, const NumberFormat& format) {
    if (dx.failed()) return;
    QLineEdit* edit = prepared_edit(dx, control_id);
    if (!edit) return;
    const Storage storage = field_storage(format);
    if (dx.is_loading()) {
        show(edit, format_stored(format, load_stored(field, storage)));
        return;
    }
    if (!changed_since_load(edit)) return;
    const ParseResult entered = parse_stored(format, edit->text().toStdString());
    if (!entered.ok()) {
        refuse_entry(dx, entered.message);
        return;
    }
    store_stored(field, storage, entered.stored);
}

void exchange_range(CDataExchange& dx, int lower_id, int upper_id, void* lower, void* delta,
                    const NumberFormat& format, Storage delta_storage) {
    if (dx.failed()) return;
    QLineEdit* lower_edit = prepared_edit(dx, lower_id);
    QLineEdit* upper_edit = qobject_cast<QLineEdit*>(dx.dialog().control(upper_id));
    if (!lower_edit || !upper_edit) return;
    const int64_t stored_lower = load_stored(lower, format.storage);
    const int64_t stored_delta = load_stored(delta, delta_storage);
    if (dx.is_loading()) {
        show(lower_edit, format_stored(format, stored_lower));
        show(upper_edit, format_stored(format, range_upper(stored_lower, stored_delta)));
        return;
    }
    const bool lower_changed = changed_since_load(lower_edit);
    const bool upper_changed = changed_since_load(upper_edit);
    if (!lower_changed && !upper_changed) return;

    int64_t new_lower = stored_lower;
    if (lower_changed) {
        const ParseResult entered = parse_stored(format, lower_edit->text().toStdString());
        if (!entered.ok()) {
            refuse_entry(dx, entered.message);
            return;
        }
        new_lower = entered.stored;
    }
    if (!upper_changed && new_lower == stored_lower) return;

    int64_t upper = range_upper(stored_lower, stored_delta);
    if (upper_changed) {
        // The upper bound is never stored; it must give a delta that fits. Below the
        // lower bound it would not come back as entered (one below gives delta 0).
        int64_t minimum = new_lower;
        int64_t maximum = new_lower + delta_storage.maximum() - 1;
        if (format.kind == NumberKind::fraction) {
            minimum = std::max(minimum, stored_minimum(format));
            maximum = std::min(maximum, stored_maximum(format));
        }
        dx.prepare_control(upper_id);
        const ParseResult entered = parse_unbounded(format, upper_edit->text().toStdString(), minimum, maximum);
        if (!entered.ok()) {
            refuse_entry(dx, entered.message);
            return;
        }
        upper = entered.stored;
    }
    const DeltaResult range = range_delta(new_lower, upper, delta_storage);
    if (!range.ok || upper < new_lower) {
        // Only an unchanged upper bound can get here: the lower one moved too far from it.
        dx.prepare_control(lower_id);
        refuse_entry(dx, range_message(format, std::max(stored_minimum(format), upper - delta_storage.maximum() + 1),
                                       std::min(stored_maximum(format), upper)));
        return;
    }
    store_stored(lower, format.storage, new_lower);
    store_stored(delta, delta_storage, range.delta);
}

}  // namespace toolkit
