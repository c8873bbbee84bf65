#pragma once

// Choosing a working folder, from the start dialog and from the File menu.

#include <QString>

class QWidget;

namespace startup {

// The absolute path of `folder` when it is a working folder; otherwise says so
// and gives an empty text.
QString checked_working_folder(QWidget* owner, const QString& folder);

// "Open Working Folder...": a folder the user picks, when it is a working folder.
QString pick_working_folder(QWidget* owner);

// "New Working Folder...": a folder the user picks, given local, plugins and tags
// once the user agreed; empty when cancelled or when they cannot be made (said).
QString make_new_working_folder(QWidget* owner);

}  // namespace startup
