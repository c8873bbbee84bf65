#include "editor/startup/recent_folders.h"

#include <QDir>
#include <QSettings>

namespace startup {

namespace {

const QString recent_key = QStringLiteral("working_folders/recent");

void store(const QStringList& folders) { QSettings().setValue(recent_key, folders); }

}  // namespace

QStringList recent_working_folders() { return QSettings().value(recent_key).toStringList(); }

void remember_working_folder(const QString& folder) {
    QStringList folders = recent_working_folders();
    folders.removeAll(folder);
    folders.prepend(folder);
    while (folders.size() > recent_folder_limit) folders.removeLast();
    store(folders);
}

void forget_working_folder(const QString& folder) {
    QStringList folders = recent_working_folders();
    folders.removeAll(folder);
    store(folders);
}

QString folder_display_text(const QString& folder) {
    const QString home = QDir::homePath();
    if (folder == home) return QStringLiteral("~");
    if (home != QStringLiteral("/") && folder.startsWith(home + QLatin1Char('/')))
        return QStringLiteral("~") + folder.mid(home.size());
    return folder;
}

}  // namespace startup
