#include "editor/quillet_app.h"

#include <QApplication>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char* argv[]) {
    // Without a display Qt aborts; the tests never need one.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(application_title));
    QApplication::setOrganizationName(QString::fromLatin1(application_title));
    // Recent folders and window places go to a settings file of the tests' own.
    QStandardPaths::setTestModeEnabled(true);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
