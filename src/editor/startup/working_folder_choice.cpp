#include "editor/startup/working_folder_choice.h"

#include "editor/platform/services.h"
#include "tag_files/tag_folders.h"

#include <QDir>

#include <filesystem>
#include <system_error>

namespace startup {

namespace {

void tell(QWidget* owner, const QString& text, platform::Icon icon) {
    platform::message_box(owner, text, platform::application_name(), platform::Buttons::ok, icon);
}

}  // namespace

QString checked_working_folder(QWidget* owner, const QString& folder) {
    const QString absolute = QDir(folder).absolutePath();
    if (is_working_folder(QFile::encodeName(absolute).constData())) return absolute;
    tell(owner,
         QStringLiteral("'%1' is not a working folder: it has no local, plugins or tags folder. New Working "
                        "Folder... makes one.")
             .arg(absolute),
         platform::Icon::exclamation);
    return {};
}

QString pick_working_folder(QWidget* owner) {
    const QString folder = platform::choose_folder(owner, QStringLiteral("Open Working Folder"));
    return folder.isEmpty() ? QString() : checked_working_folder(owner, folder);
}

QString make_new_working_folder(QWidget* owner) {
    const QString chosen = platform::choose_folder(owner, QStringLiteral("New Working Folder"));
    if (chosen.isEmpty()) return {};
    const QString folder = QDir(chosen).absolutePath();
    const platform::Answer answer = platform::message_box(
        owner, QStringLiteral("The folders local, plugins and tags will be made in '%1'.").arg(folder),
        QStringLiteral("New Working Folder"), platform::Buttons::ok_cancel, platform::Icon::question);
    if (answer != platform::Answer::ok) return {};
    std::error_code error;
    const std::filesystem::path root(QFile::encodeName(folder).constData());
    for (const char* name : {local_folder_name, plugins_folder_name, tags_folder_name}) {
        std::filesystem::create_directory(root / name, error);
        if (error) {
            tell(owner,
                 QStringLiteral("The folder '%1' could not be made: %2.")
                     .arg(QString::fromStdString((root / name).string()), QString::fromStdString(error.message())),
                 platform::Icon::stop);
            return {};
        }
    }
    return folder;
}

}  // namespace startup
