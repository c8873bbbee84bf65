#pragma once

// A field refused what the user entered: the user is told why with the framework's
// standard box, the focus goes back to the control and the dialog stays open.

#include "editor/character_translation.h"

#include <string_view>

class CDataExchange;
class QLineEdit;

namespace toolkit {

void refuse_entry(CDataExchange& dx, std::string_view message);

// A typed character that the field cannot hold: "The character U+20AC '€' ...",
// with the character selected in `edit`, which gets the focus.
void refuse_character(CDataExchange& dx, QLineEdit* edit, const UnheldCharacter& unheld, HeldText kind);

// Refuses the first character of the edit's text that the field cannot hold;
// false when there is none.
bool refuse_unheld_character(CDataExchange& dx, QLineEdit* edit, HeldText kind);

}  // namespace toolkit
