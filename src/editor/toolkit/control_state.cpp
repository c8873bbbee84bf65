#include "editor/toolkit/control_state.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QVariant>

namespace toolkit {

namespace {

constexpr const char* loaded_property = "toolkit_loaded_state";
constexpr const char* picked_property = "toolkit_picked";
constexpr const char* watched_property = "toolkit_watched";

QVariant present_state(const QWidget* control) {
    if (const auto* edit = qobject_cast<const QLineEdit*>(control)) return edit->text();
    if (const auto* combo = qobject_cast<const QComboBox*>(control)) {
        // The index and the entry's data: a refilled list may put another entry at the
        // loaded index.
        return QVariantList{combo->currentIndex(), combo->currentData()};
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(control)) return button->isChecked();
    return {};
}

}  // namespace

void remember_loaded_state(QWidget* control) {
    control->setProperty(loaded_property, present_state(control));
    control->setProperty(picked_property, false);
    auto* combo = qobject_cast<QComboBox*>(control);
    if (combo && !combo->property(watched_property).toBool()) {
        combo->setProperty(watched_property, true);
        QObject::connect(combo, &QComboBox::activated, combo,
                         [combo] { combo->setProperty(picked_property, true); });
    }
}

bool changed_since_load(const QWidget* control) {
    const QVariant loaded = control->property(loaded_property);
    if (!loaded.isValid() || control->property(picked_property).toBool()) return true;
    return loaded != present_state(control);
}

}  // namespace toolkit
