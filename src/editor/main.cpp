#include "editor/quillet_app.h"

#include <QApplication>

#include <cstdio>
#include <string_view>

#include "tessary_version.h"

int main(int argc, char* argv[]) {
    // Answered before any window system is needed, so it works on a plain terminal.
    if (argc == 2 && std::string_view(argv[1]) == "--version") {
        std::printf("tessary %s\n", tessary_version);
        return 0;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(application_title));
    CQuilletApp editor;
    if (!editor.InitInstance()) return 1;
    return QApplication::exec();
}
