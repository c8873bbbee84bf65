#pragma once

// The name typed into a name dialog (New, Duplicate, Get Info), checked the same
// way in each: a character a tag name cannot hold and a name longer than 31
// characters are refused; a name that must change to be a file name is shown
// changed and refused once, so that the user sees what the tag will be called
// before it is taken.

#include <optional>
#include <string>

class CDataExchange;
class QLineEdit;

// The tag's name, or nothing after a refusal (said, and the dialog stays open).
std::optional<std::string> entered_tag_name(CDataExchange& dx, QLineEdit* edit);
