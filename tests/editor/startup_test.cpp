// Starting the editor: its command line, the start dialog for a folder that is
// not a working folder, the recent folders, switching folders and read-only ones.

#include "editor/frame_commands.h"
#include "editor/platform/scripted_services.h"
#include "editor/quillet_app.h"
#include "editor/quillet_frame_wnd.h"
#include "editor/startup/command_line.h"
#include "editor/startup/recent_folders.h"
#include "editor/startup/start_dialog.h"
#include "editor/tag_dialog.h"
#include "editor/tag_group_registry.h"
#include "support/unprivileged.h"
#include "support/working_folder.h"
#include "tag_files/instance_lock.h"
#include "tag_files/tag_directory.h"

#include <QAbstractButton>
#include <QDir>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

namespace {

using startup::CommandLine;

TEST(EditorCommandLine, FolderOptionsAndRefusals) {
    struct Case {
        std::vector<std::string> arguments;
        CommandLine::Action action;
        std::optional<std::string> folder;
        bool choose;
        std::string refusal;
    };
    const Case cases[] = {
        {{}, CommandLine::Action::run, std::nullopt, false, ""},
        {{"/games/kelvo"}, CommandLine::Action::run, "/games/kelvo", false, ""},
        {{"--choose"}, CommandLine::Action::run, std::nullopt, true, ""},
        {{"--", "-odd"}, CommandLine::Action::run, "-odd", false, ""},
        {{"x", "--help"}, CommandLine::Action::help, std::nullopt, false, ""},
        {{"-h"}, CommandLine::Action::help, std::nullopt, false, ""},
        {{"--version"}, CommandLine::Action::version, std::nullopt, false, ""},
        {{"--bogus"}, CommandLine::Action::refuse, std::nullopt, false,
         "tessary: unknown option '--bogus' (tessary --help shows the usage)"},
        {{"a", "b"}, CommandLine::Action::refuse, std::nullopt, false,
         "tessary: one working folder at a time: 'a' and 'b' (tessary --help shows the usage)"},
    };
    for (const Case& c : cases) {
        const CommandLine line = startup::parse_command_line(c.arguments);
        EXPECT_EQ(line.action, c.action) << testing::PrintToString(c.arguments);
        if (c.action == CommandLine::Action::run) {
            EXPECT_EQ(line.folder, c.folder) << testing::PrintToString(c.arguments);
            EXPECT_EQ(line.choose, c.choose) << testing::PrintToString(c.arguments);
        }
        EXPECT_EQ(line.refusal, c.refusal) << testing::PrintToString(c.arguments);
    }
}

struct EditorRun {
    int status;
    QString out;
    QString err;
};

// Qt's own allocations at exit are not what these runs check.
QProcessEnvironment editor_environment() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
    return environment;
}

EditorRun run_editor(const QStringList& arguments) {
    QProcess editor;
    editor.setProcessEnvironment(editor_environment());
    editor.start(QStringLiteral(TESSARY_EDITOR), arguments);
    EXPECT_TRUE(editor.waitForFinished(60000));
    return {editor.exitCode(), QString::fromLocal8Bit(editor.readAllStandardOutput()),
            QString::fromLocal8Bit(editor.readAllStandardError())};
}

// The real program: --help answers and exits, an unknown option is refused in
// one line with status 2, and a folder that is no working folder gets the start
// dialog, with nothing made there.
TEST(EditorProgram, AnswersItsCommandLineAndNeverMakesAWorkingFolderUnasked) {
    const EditorRun help = run_editor({QStringLiteral("--help")});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.startsWith(QStringLiteral("Usage: tessary [--choose] [FOLDER]"))) << help.out.toStdString();
    const EditorRun bogus = run_editor({QStringLiteral("--bogus")});
    EXPECT_EQ(bogus.status, 2);
    // Qt may add its own remarks about the environment; ours is one line.
    EXPECT_TRUE(bogus.err.split(QLatin1Char('\n'))
                    .contains(QStringLiteral("tessary: unknown option '--bogus' (tessary --help shows the usage)")))
        << bogus.err.toStdString();

    QTemporaryDir photos;
    QProcess editor;
    editor.setProcessEnvironment(editor_environment());
    editor.start(QStringLiteral(TESSARY_EDITOR), {photos.path()});
    ASSERT_TRUE(editor.waitForStarted());
    EXPECT_FALSE(editor.waitForFinished(3000)) << "the start dialog waits for the user";
    editor.kill();
    editor.waitForFinished();
    EXPECT_TRUE(QDir(photos.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty());
}

class StartUp : public ::testing::Test {
protected:
    void SetUp() override { QSettings().clear(); }
    void TearDown() override {
        tag_files_close();
        release_instance_lock();
        CTagDialog::set_read_only_reason(QString());
        QSettings().clear();
    }
    static QString make_working_folder(const QTemporaryDir& at) {
        EXPECT_TRUE(QDir(at.path()).mkdir(QStringLiteral("local")));
        return QDir(at.path()).canonicalPath();
    }
    test_support::WorkingFolder folder;
    platform::ScriptedServices services;
};

// Most recent first, each folder once, a missing one marked, not offered to
// open, and removable.
TEST_F(StartUp, StartDialogOffersTheRecentFoldersMostRecentFirst) {
    QTemporaryDir first, second;
    const QString a = make_working_folder(first);
    const QString b = make_working_folder(second);
    const QString gone = QDir::tempPath() + QStringLiteral("/no such working folder");
    for (const QString& opened : {gone, a, b, a}) startup::remember_working_folder(opened);
    EXPECT_EQ(startup::recent_working_folders(), (QStringList{a, b, gone}));
    for (int index = 0; index < startup::recent_folder_limit + 3; ++index)
        startup::remember_working_folder(QStringLiteral("/f%1").arg(index));
    EXPECT_EQ(startup::recent_working_folders().size(), startup::recent_folder_limit);
    EXPECT_EQ(startup::recent_working_folders().front(), QStringLiteral("/f%1").arg(startup::recent_folder_limit + 2));

    QSettings().clear();
    for (const QString& opened : {gone, b, a}) startup::remember_working_folder(opened);
    CStartDialog dialog;
    dialog.show();
    QListWidget* list = dialog.recent_list();
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->item(0)->text(), startup::folder_display_text(a));
    EXPECT_EQ(list->item(2)->text(), startup::folder_display_text(gone) + QStringLiteral("  (missing)"));
    list->setCurrentRow(2);
    EXPECT_FALSE(dialog.open_button()->isEnabled());
    dialog.remove_button()->click();
    EXPECT_EQ(startup::recent_working_folders(), (QStringList{a, b}));
    list->setCurrentRow(1);
    dialog.open_button()->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.chosen_folder(), b);
}

TEST_F(StartUp, AChosenFolderMustBeAWorkingFolder) {
    QTemporaryDir empty;
    services.queue_open_file(empty.path());
    CStartDialog dialog;
    dialog.show();
    dialog.open_other_button()->click();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    ASSERT_EQ(services.message_texts().size(), 1);
    EXPECT_TRUE(services.message_texts()[0].contains(QStringLiteral("is not a working folder")));

    services.queue_open_file(empty.path());
    services.queue_answer(platform::Answer::ok);
    dialog.new_button()->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    for (const char* name : {"local", "plugins", "tags"}) EXPECT_TRUE(QDir(empty.path()).exists(name)) << name;
}

// The work in the first folder ends as at Quit (its lock file gone) and starts
// in the second, whose folder the title names.
TEST_F(StartUp, SwitchingFoldersReleasesTheFirst) {
    CQuilletApp app;
    ASSERT_TRUE(app.InitInstance());
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "local" / "kelvo2"));
    QTemporaryDir other;
    const QString second = make_working_folder(other);
    ASSERT_TRUE(app.switch_working_folder(second));
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "local" / "kelvo2"));
    EXPECT_TRUE(QFile::exists(second + QStringLiteral("/local/kelvo2")));
    EXPECT_EQ(app.main_window()->windowTitle(),
              QStringLiteral("Tessary — ") + startup::folder_display_text(second));
    EXPECT_EQ(startup::recent_working_folders().front(), second);
}

TEST_F(StartUp, TheWindowComesBackAtItsSize) {
    {
        CQuilletApp first;
        ASSERT_TRUE(first.InitInstance());
        first.main_window()->resize(QSize(510, 430));
    }
    tag_files_close();
    release_instance_lock();
    CQuilletApp second;
    ASSERT_TRUE(second.InitInstance());
    EXPECT_EQ(second.main_window()->size(), QSize(510, 430));
}

// A folder that cannot be written opens read-only: said once, every writing
// command disabled, OK of every form disabled with the reason.
TEST_F(StartUp, ReadOnlyFolderOpensReadOnly) {
    QProcess tool;
    tool.start(QStringLiteral(TESSARY_CLI), {QStringLiteral("new"), QStringLiteral("wind"), QStringLiteral("Breeze")});
    ASSERT_TRUE(tool.waitForFinished(60000));
    ASSERT_EQ(tool.exitCode(), 0);
    {
        CQuilletApp writer;
        ASSERT_TRUE(writer.InitInstance());
        ASSERT_TRUE(std::filesystem::exists(folder.path() / "local"));
    }
    tag_files_close();
    release_instance_lock();
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder.path()))
        std::filesystem::permissions(entry.path(), std::filesystem::perms::all, std::filesystem::perm_options::remove),
            std::filesystem::permissions(entry.path(),
                                         std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec,
                                         std::filesystem::perm_options::add);
    std::filesystem::permissions(folder.path(), std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    const std::string sentence = "The working folder '" + std::filesystem::current_path().string() +
                                 "' cannot be written (read-only): tags can be looked at but not changed.";
    const bool behaved = test_support::run_unprivileged(folder.path(), [&] {
        QStandardPaths::setTestModeEnabled(true);
        setenv("HOME", "/tmp", 1);
        CQuilletApp reader;
        bool good = reader.InitInstance() && reader.read_only() &&
                    services.message_texts() == QStringList{QString::fromStdString(sentence)} &&
                    !std::filesystem::exists("local/kelvo2");
        CQuilletFrameWnd* frame = reader.main_window();
        for (const int id : {command_id::new_tag, command_id::duplicate, command_id::delete_tag, command_id::build_plugin})
            good = good && frame && !frame->command_enabled(id);
        constexpr tag_code winds = make_tag("wind");
        std::unique_ptr<CTagDialog> form(
            CTagGroupRegistry::open_editor(winds, tag_get_subgroup(tag_get_nth_of_group(winds, 0)), nullptr));
        if (form) form->show();
        const QWidget* ok = form ? form->control(control_id_ok) : nullptr;
        good = good && ok && !ok->isEnabled() && ok->toolTip() == QString::fromStdString(sentence);
        if (!good) std::fprintf(stderr, "read-only start: %s\n", services.message_texts().join("; ").toStdString().c_str());
        return good;
    });
    std::filesystem::permissions(folder.path(), std::filesystem::perms::owner_all, std::filesystem::perm_options::add);
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder.path()))
        std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all, std::filesystem::perm_options::add);
    EXPECT_TRUE(behaved);
}

}  // namespace
