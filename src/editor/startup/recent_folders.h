#pragma once

// The working folders opened lately, most recent first, kept in the user's
// settings from one start to the next.

#include <QString>
#include <QStringList>

namespace startup {

inline constexpr int recent_folder_limit = 10;

QStringList recent_working_folders();
// Puts `folder` (an absolute path) first, once, dropping the oldest beyond the limit.
void remember_working_folder(const QString& folder);
void forget_working_folder(const QString& folder);

// A folder as the user reads it: the home folder shortened to "~".
QString folder_display_text(const QString& folder);

}  // namespace startup
