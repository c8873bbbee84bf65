#include "editor/quillet_app.h"

#include "core/error_manager.h"
#include "core/warnings.h"
#include "editor/character_translation.h"
#include "editor/platform/services.h"
#include "editor/quillet_frame_wnd.h"
#include "tag_files/instance_lock.h"
#include "tag_files/stale_temporary_files.h"
#include "tag_files/tag_data.h"
#include "tag_files/tag_directory.h"
#include "tag_files/tag_folders.h"

namespace {

QWidget* main_window_widget = nullptr;

int show_warning_box(const char* text) {
    platform::message_box(main_window_widget, text_from_windows_1252(text), platform::application_name(),
                          platform::Buttons::ok, platform::Icon::exclamation);
    return warning_button_ok;
}

}  // namespace

CQuilletApp::CQuilletApp() = default;

CQuilletApp::~CQuilletApp() {
    if (main_window_widget == main_window_.get()) main_window_widget = nullptr;
}

bool CQuilletApp::InitInstance() {
    set_warning_hook(&show_warning_box);
    // The lock is claimed before the log is created, so that a second copy
    // of the editor never empties the log of the one that is running. The
    // lock file lives in the local folder, which therefore comes first.
    create_tags_folders();
    if (!claim_instance_lock()) {
        platform::message_box(nullptr,
                              QStringLiteral("Kelvo II, Tessary, or Ombric is already running. Please exit the "
                                             "other application and try again."),
                              QStringLiteral("Error"), platform::Buttons::ok, platform::Icon::stop);
        return false;
    }
    initialize_error_manager(program_name);
    remove_stale_temporary_files();
    tag_files_initialize();
    tag_files_open(false, nullptr, 0, NONE);

    main_window_ = std::make_unique<CQuilletFrameWnd>();
    main_window_->setWindowTitle(QString::fromLatin1(application_title));
    main_window_widget = main_window_.get();
    main_window_->show();
    // Nothing of the folder stays open while the user looks: the tool and the
    // game see every tag.
    tag_file_close_local();
    return true;
}
