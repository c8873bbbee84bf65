#include "core/warnings.h"
#include "editor/platform/scripted_services.h"
#include "editor/quillet_app.h"
#include "editor/quillet_frame_wnd.h"
#include "editor/tag_dialog.h"
#include "editor/tag_group_registry.h"
#include "support/working_folder.h"
#include "tag_files/instance_lock.h"
#include "tag_files/tag_directory.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <regex>

namespace {

// Each case starts the editor in a folder of its own; what a start-up leaves
// held in the process (the lock, the open directory) goes with the case.
class QuilletApp : public ::testing::Test {
protected:
    void TearDown() override {
        tag_files_close();
        release_instance_lock();
    }
    test_support::WorkingFolder folder;
    platform::ScriptedServices services;
};

const QString already_running = QStringLiteral(
    "Kelvo II, Tessary, or Ombric is already running. Please exit the other application and try again.");

TEST_F(QuilletApp, StartUpCreatesTheFoldersTheLogAndTheMainWindow) {
    CQuilletApp app;
    ASSERT_TRUE(app.InitInstance());
    for (const char* name : {"local", "plugins", "tags"}) {
        EXPECT_TRUE(std::filesystem::is_directory(folder.path() / name)) << name;
    }
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "local" / "kelvo2"));
    const std::string log = folder.read_file("kelvo_log.txt");
    const std::string header = log.substr(0, log.find('\n'));
    EXPECT_TRUE(std::regex_match(
        header, std::regex(R"(\d\d\.\d\d\.\d{2,3} \d\d:\d\d:\d\d  WinQuillet running under  -{46})")))
        << log;

    CQuilletFrameWnd* frame = app.main_window();
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Tessary — ") + QString::fromStdString(folder.path().string()));
    EXPECT_GT(frame->tree()->topLevelItemCount(), 0);
    EXPECT_TRUE(services.messages().empty());
}

TEST_F(QuilletApp, StartUpRemovesTheLeftoversOfKilledWrites) {
    folder.write_file("tags/.~tessary-x1y2z3", "a foundation rebuild that was killed");
    CQuilletApp app;
    ASSERT_TRUE(app.InitInstance());
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "tags" / ".~tessary-x1y2z3"));
    EXPECT_NE(folder.read_file("kelvo_log.txt").find("removed the stale temporary file 'tags\\.~tessary-x1y2z3'"),
              std::string::npos);
}

// The second copy, a process of its own, is refused before it creates its
// log, so the running copy's log keeps everything it wrote.
TEST_F(QuilletApp, SecondInstanceIsRefusedAndLeavesTheLogAlone) {
    CQuilletApp first;
    ASSERT_TRUE(first.InitInstance());
    const std::string log = folder.read_file("kelvo_log.txt");
    ASSERT_FALSE(log.empty());

    QProcess second;
    second.setWorkingDirectory(QString::fromStdString(folder.path().string()));
    second.start(QCoreApplication::applicationFilePath(),
                 {QStringLiteral("--gtest_also_run_disabled_tests"),
                  QStringLiteral("--gtest_filter=QuilletAppSecondCopy.DISABLED_IsRefused")});
    ASSERT_TRUE(second.waitForFinished(60000));
    const QString output = QString::fromLocal8Bit(second.readAllStandardOutput());
    EXPECT_EQ(second.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains(QStringLiteral("[  PASSED  ] 1 test"))) << output.toStdString();
    EXPECT_EQ(folder.read_file("kelvo_log.txt"), log);
}

// Run only by the case above, as the second copy, in the first one's folder.
TEST(QuilletAppSecondCopy, DISABLED_IsRefused) {
    platform::ScriptedServices services;
    CQuilletApp second;
    EXPECT_FALSE(second.InitInstance());
    EXPECT_EQ(second.main_window(), nullptr);
    ASSERT_EQ(services.messages().size(), 1u);
    const platform::MessageRequest& message = services.messages()[0];
    EXPECT_EQ(message.text, already_running);
    EXPECT_EQ(message.caption, QStringLiteral("Error"));
    EXPECT_EQ(message.icon, platform::Icon::stop);
    EXPECT_EQ(message.buttons, platform::Buttons::ok);
    EXPECT_EQ(message.owner, nullptr);
}

// The tool run beside the editor sees every tag, while the editor idles and
// while a form is open.
TEST_F(QuilletApp, TheToolSeesEveryTagWhileTheEditorRuns) {
    const auto list = [this] {
        QProcess tool;
        tool.start(QStringLiteral(TESSARY_CLI),
                   {QStringLiteral("-C"), QString::fromStdString(folder.path().string()), QStringLiteral("list")});
        EXPECT_TRUE(tool.waitForFinished(60000));
        return QString::fromLocal8Bit(tool.readAllStandardOutput() + tool.readAllStandardError());
    };
    QProcess create;
    create.start(QStringLiteral(TESSARY_CLI), {QStringLiteral("-C"), QString::fromStdString(folder.path().string()),
                                              QStringLiteral("new"), QStringLiteral("mesh"), QStringLiteral("Map1")});
    ASSERT_TRUE(create.waitForFinished(60000));
    ASSERT_EQ(create.exitCode(), 0);

    CQuilletApp app;
    ASSERT_TRUE(app.InitInstance());
    EXPECT_TRUE(list().contains(QStringLiteral("Map1"))) << list().toStdString();
    constexpr tag_code maps = make_tag("mesh");
    ASSERT_EQ(tag_count_of_group(maps), 1);
    std::unique_ptr<CTagDialog> form(
        CTagGroupRegistry::open_editor(maps, tag_get_subgroup(tag_get_nth_of_group(maps, 0)), nullptr));
    ASSERT_NE(form, nullptr);
    form->show();
    EXPECT_TRUE(list().contains(QStringLiteral("Map1"))) << list().toStdString();
}

TEST_F(QuilletApp, WarningsAreShownInABoxOwnedByTheMainWindow) {
    CQuilletApp app;
    ASSERT_TRUE(app.InitInstance());
    EXPECT_EQ(display_warning("Plug-in file %s failed!", "build"), warning_button_ok);
    ASSERT_EQ(services.messages().size(), 1u);
    const platform::MessageRequest& message = services.messages()[0];
    EXPECT_EQ(message.text, QStringLiteral("Plug-in file build failed!"));
    EXPECT_EQ(message.caption, QStringLiteral("Tessary"));
    EXPECT_EQ(message.icon, platform::Icon::exclamation);
    EXPECT_EQ(message.owner, app.main_window());
}

}  // namespace
