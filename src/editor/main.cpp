#include "editor/quillet_app.h"
#include "editor/startup/command_line.h"
#include "editor/startup/start_dialog.h"
#include "tag_files/tag_folders.h"

#include <QApplication>
#include <QDir>

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "tessary_version.h"

namespace {

constexpr int exit_usage = 2;

// --help and --version are answered before any window system is needed, so
// they work on a plain terminal.
bool answers_without_window(int argc, char* argv[]) {
    for (int index = 1; index < argc; ++index) {
        const std::string_view argument(argv[index]);
        if (argument == "--") return false;
        if (argument == "--version") {
            std::printf("tessary %s\n", tessary_version);
            return true;
        }
        if (argument == "--help" || argument == "-h") {
            std::fputs(startup::usage_text().c_str(), stdout);
            return true;
        }
    }
    return false;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (answers_without_window(argc, argv)) return 0;
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QString::fromLatin1(application_title));
    QApplication::setApplicationName(QString::fromLatin1(application_title));

    std::vector<std::string> arguments;
    for (const QString& argument : QApplication::arguments().mid(1)) arguments.push_back(argument.toStdString());
    const startup::CommandLine line = startup::parse_command_line(arguments);
    if (line.action == startup::CommandLine::Action::refuse) {
        std::fprintf(stderr, "%s\n", line.refusal.c_str());
        return exit_usage;
    }
    if (line.folder && !QDir::setCurrent(QString::fromStdString(*line.folder))) {
        std::fprintf(stderr, "tessary: cannot open the folder '%s'\n", line.folder->c_str());
        return 1;
    }
    // A working folder is never made unasked: the desktop menu starts the editor
    // in the home folder.
    if (line.choose || !is_working_folder(".")) {
        CStartDialog choice;
        if (choice.exec() != QDialog::Accepted) return 0;
        QDir::setCurrent(choice.chosen_folder());
    }
    CQuilletApp editor;
    if (!editor.InitInstance()) return 1;
    return QApplication::exec();
}
