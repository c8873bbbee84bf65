#include "editor/quillet_app.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(application_title));
    CQuilletApp editor;
    if (!editor.InitInstance()) return 1;
    return QApplication::exec();
}
