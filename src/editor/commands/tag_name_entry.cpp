#include "editor/commands/tag_name_entry.h"

#include "editor/character_translation.h"
#include "editor/data_exchange.h"
#include "editor/toolkit/exchange_failure.h"
#include "tag_files/tag_header.h"
#include "tag_files/tag_name.h"

#include <QLineEdit>

#include <cstring>

std::optional<std::string> entered_tag_name(CDataExchange& dx, QLineEdit* edit) {
    if (toolkit::refuse_unheld_character(dx, edit, HeldText::tag_name)) return std::nullopt;
    const std::string entered = text_to_windows_1252(edit->text());
    if (entered.size() > static_cast<size_t>(tag_name_maximum_length)) {
        toolkit::refuse_entry(dx,
                              "Please enter no more than " + std::to_string(tag_name_maximum_length) + " characters.");
        return std::nullopt;
    }
    char name[tag_name_capacity] = {};
    std::memcpy(name, entered.data(), entered.size());
    sanitize_tag_name(name);
    const std::string valid(name);
    if (valid.empty()) {
        toolkit::refuse_entry(dx, "Please enter a name.");
        return std::nullopt;
    }
    if (valid != entered) {
        edit->setText(text_from_windows_1252(valid));
        toolkit::refuse_entry(
            dx, ("The name was changed to \"" + edit->text() + "\" to be a valid file name.").toStdString());
        return std::nullopt;
    }
    return valid;
}
