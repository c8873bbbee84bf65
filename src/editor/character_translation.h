#pragma once

// Game text (Mac OS Roman) and the Windows-1252 text of the controls: the byte
// mappings live in core, this carries Windows-1252 bytes into and out of Qt's
// strings.

#include <QString>

#include <string>
#include <string_view>

#include "core/character_translation.h"

// Windows-1252 bytes (tag names, shown game text) as Qt text, and back; a
// character Windows-1252 cannot hold becomes '?'.
QString text_from_windows_1252(std::string_view bytes);
std::string text_to_windows_1252(const QString& text);
