#include "editor/quillet_app.h"

#include "core/error_manager.h"
#include "core/warnings.h"
#include "editor/character_translation.h"
#include "editor/platform/services.h"
#include "editor/quillet_frame_wnd.h"
#include "editor/startup/recent_folders.h"
#include "editor/tag_dialog.h"
#include "tag_files/instance_lock.h"
#include "tag_files/stale_temporary_files.h"
#include "tag_files/tag_data.h"
#include "tag_files/tag_directory.h"
#include "tag_files/tag_folders.h"

#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>

#include <algorithm>

namespace {

QWidget* main_window_widget = nullptr;

const QString geometry_key = QStringLiteral("main_window/geometry");
// Which docks are shown, and where.
const QString docks_key = QStringLiteral("main_window/docks");

int show_warning_box(const char* text) {
    platform::message_box(main_window_widget, text_from_windows_1252(text), platform::application_name(),
                          platform::Buttons::ok, platform::Icon::exclamation);
    return warning_button_ok;
}

// The remembered size and place, kept within the screens there are now.
void restore_geometry(QWidget& window) {
    const QByteArray geometry = QSettings().value(geometry_key).toByteArray();
    if (geometry.isEmpty() || !window.restoreGeometry(geometry)) return;
    const QScreen* screen = QGuiApplication::screenAt(window.geometry().center());
    if (!screen) screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect available = screen->availableGeometry();
    QRect placed = window.geometry();
    placed.setSize(placed.size().boundedTo(available.size()));
    placed.moveLeft(std::clamp(placed.left(), available.left(), available.right() - placed.width() + 1));
    placed.moveTop(std::clamp(placed.top(), available.top(), available.bottom() - placed.height() + 1));
    window.setGeometry(placed);
}

void remember_window(const QMainWindow& window) {
    QSettings().setValue(geometry_key, window.saveGeometry());
    QSettings().setValue(docks_key, window.saveState());
}

}  // namespace

CQuilletApp::CQuilletApp() = default;

CQuilletApp::~CQuilletApp() {
    if (main_window_) remember_window(*main_window_);
    if (main_window_widget == main_window_.get()) main_window_widget = nullptr;
}

QString CQuilletApp::read_only_log_path() const {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    QDir().mkpath(folder);
    return QDir(folder).filePath(QString::fromLatin1(log_file_name));
}

bool CQuilletApp::InitInstance() {
    set_warning_hook(&show_warning_box);
    // The lock is claimed before the log is created, so that a second copy
    // of the editor never empties the log of the one that is running. The
    // lock file lives in the local folder, which therefore comes first.
    read_only_ = false;
    if (!working_folder_is_read_only()) create_tags_folders();
    if (!claim_instance_lock()) {
        read_only_ = working_folder_is_read_only();
        if (!read_only_) {
            platform::message_box(nullptr,
                                  QStringLiteral("Kelvo II, Tessary, or Ombric is already running. Please exit the "
                                                 "other application and try again."),
                                  QStringLiteral("Error"), platform::Buttons::ok, platform::Icon::stop);
            return false;
        }
    }
    QString log_path = QString::fromLatin1(log_file_name);
    if (read_only_) {
        const QString reason = QString::fromStdString(read_only_working_folder_text());
        platform::message_box(nullptr, reason, platform::application_name(), platform::Buttons::ok,
                              platform::Icon::information);
        log_path = read_only_log_path();
        initialize_error_manager(program_name, QFile::encodeName(log_path).constData());
        CTagDialog::set_read_only_reason(reason);
    } else {
        initialize_error_manager(program_name);
        remove_stale_temporary_files();
        CTagDialog::set_read_only_reason(QString());
    }
    tag_files_initialize();
    tag_files_open(false, nullptr, 0, NONE);

    main_window_ = std::make_unique<CQuilletFrameWnd>();
    const QString folder = QDir::currentPath();
    main_window_->setWindowTitle(QString::fromLatin1(application_title) + QStringLiteral(" — ") +
                                 startup::folder_display_text(folder));
    if (read_only_) main_window_->set_read_only(log_path);
    main_window_->set_folder_switch([this](const QString& chosen) {
        // The menu that asked belongs to the window about to go.
        QTimer::singleShot(0, [this, chosen] { switch_working_folder(chosen); });
    });
    main_window_widget = main_window_.get();
    restore_geometry(*main_window_);
    main_window_->restoreState(QSettings().value(docks_key).toByteArray());
    main_window_->show();
    startup::remember_working_folder(folder);
    // Nothing of the folder stays open while the user looks: the tool and the
    // game see every tag.
    tag_file_close_local();
    return true;
}

void CQuilletApp::end_work() {
    if (main_window_) remember_window(*main_window_);
    main_window_widget = nullptr;
    main_window_.reset();
    tag_files_close();
    release_instance_lock();
}

bool CQuilletApp::switch_working_folder(const QString& folder) {
    const QString previous = QDir::currentPath();
    // The one window goes away for a moment; the application must not take that
    // for the user closing it.
    const bool quit_on_close = QGuiApplication::quitOnLastWindowClosed();
    QGuiApplication::setQuitOnLastWindowClosed(false);
    end_work();
    bool started = QDir::setCurrent(folder) && InitInstance();
    if (!started) {
        platform::message_box(nullptr, QStringLiteral("The working folder '%1' could not be opened.").arg(folder),
                              QStringLiteral("Error"), platform::Buttons::ok, platform::Icon::stop);
        QDir::setCurrent(previous);
        InitInstance();
    }
    QGuiApplication::setQuitOnLastWindowClosed(quit_on_close);
    return started;
}
