// "Build Plug-in File" (32775) and the rebuild of the foundation files (32774,
// reached only by its command id).

#include "core/warnings.h"
#include "editor/character_translation.h"
#include "editor/commands/create_plugin_dialog.h"
#include "editor/frame_commands.h"
#include "editor/platform/services.h"
#include "editor/quillet_frame_wnd.h"
#include "editor/tag_group_registry.h"
#include "media/collection_format.h"
#include "tag_files/monolithic_records.h"
#include "tag_files/monolithic_writer.h"

#include <algorithm>
#include <cstdint>

namespace {

// What the progress box says while a file is written.
struct FileProgress {
    platform::ProgressBox& box;
    QString file;
};

void show_tag_progress(int32_t written, int32_t count, void* data) {
    auto& progress = *static_cast<FileProgress*>(data);
    progress.box.set(QStringLiteral("Writing \"%1\": tag %2 of %3")
                         .arg(progress.file)
                         .arg(std::min(written + 1, count))
                         .arg(count),
                     written, count);
}

void show_file_progress(int destination, void* data) {
    static_cast<FileProgress*>(data)->file = QString::fromLatin1(foundation_file_names[destination]);
}

bool write_plugin(CQuilletFrameWnd& frame, const CCreatePluginDlg& dialog) {
    const QString file = text_from_windows_1252(plugin_file_name(dialog.plugin_name()));
    platform::ProgressBox box(&frame, QStringLiteral("Building the plug-in file \"%1\"...").arg(file));
    FileProgress progress{box, file};
    std::vector<tag_handle> chosen = dialog.chosen_tags();
    return build_plugin(dialog.plugin_name().c_str(), dialog.plugin_url().c_str(), false, dialog.plugin_flags(),
                        &tag_in_list, chosen.data(), &show_tag_progress, &progress);
}

void build_plugin_file(CQuilletFrameWnd& frame) {
    CCreatePluginDlg dialog(frame);
    if (platform::run_modal(dialog) != QDialog::Accepted) return;
    const platform::WaitCursor wait;
    if (write_plugin(frame, dialog)) {
        frame.registry().rebuild_tag_list(collection_group_tag, false);
    } else {
        display_warning("Plug-in file build failed!");
    }
}

bool write_foundation_files(CQuilletFrameWnd& frame) {
    platform::ProgressBox box(&frame, QStringLiteral("Building the monolithic files..."));
    FileProgress progress{box, {}};
    return rebuild_foundation_files(&show_file_progress, &progress, &show_tag_progress);
}

void rebuild_foundation(CQuilletFrameWnd& frame) {
    const platform::Answer answer = platform::message_box(
        &frame,
        QStringLiteral("Are you sure you want to build monolithic files?\n\n"
                       "This could take a metric buttload of time and disk space!"),
        QStringLiteral("Confirm"), platform::Buttons::yes_no, platform::Icon::exclamation);
    if (answer != platform::Answer::yes) return;
    const platform::WaitCursor wait;
    if (!write_foundation_files(frame)) {
        platform::message_box(&frame,
                              QStringLiteral("An error occured building the monolithic file.\n"
                                             "The most likely cause is that the files are in use or "
                                             "write-protected.\n"),
                              QStringLiteral("Error"), platform::Buttons::ok, platform::Icon::stop);
    }
}

const FrameCommandRegistration build_plugin_command(command_id::build_plugin, {&build_plugin_file, {}});
const FrameCommandRegistration rebuild_foundation_command(command_id::rebuild_foundation_files,
                                                          {&rebuild_foundation, {}});

}  // namespace
