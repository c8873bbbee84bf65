// "Build Plug-in File" (32775) and the rebuild of the foundation files (32774,
// reached only by its command id).

#include "core/warnings.h"
#include "editor/commands/create_plugin_dialog.h"
#include "editor/frame_commands.h"
#include "editor/platform/services.h"
#include "editor/quillet_frame_wnd.h"
#include "editor/tag_group_registry.h"
#include "media/collection_format.h"
#include "tag_files/monolithic_writer.h"

namespace {

void build_plugin_file(CQuilletFrameWnd& frame) {
    CCreatePluginDlg dialog(frame);
    if (platform::run_modal(dialog) != QDialog::Accepted) return;
    const platform::WaitCursor wait;
    std::vector<tag_handle> chosen = dialog.chosen_tags();
    if (build_plugin(dialog.plugin_name().c_str(), dialog.plugin_url().c_str(), false, dialog.plugin_flags(),
                     &tag_in_list, chosen.data())) {
        frame.registry().rebuild_tag_list(collection_group_tag, false);
    } else {
        display_warning("Plug-in file build failed!");
    }
}

void rebuild_foundation(CQuilletFrameWnd& frame) {
    const platform::Answer answer = platform::message_box(
        &frame,
        QStringLiteral("Are you sure you want to build monolithic files?\n\n"
                       "This could take a metric buttload of time and disk space!"),
        QStringLiteral("Confirm"), platform::Buttons::yes_no, platform::Icon::exclamation);
    if (answer != platform::Answer::yes) return;
    const platform::WaitCursor wait;
    if (!rebuild_foundation_files()) {
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
