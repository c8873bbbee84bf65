#include "editor/commands/font_import_command.h"

#include "editor/commands/import_font_dialog.h"
#include "editor/commands/new_tag_hooks.h"
#include "editor/commands/new_tag_name_dialog.h"
#include "editor/commands/progress_dialog.h"
#include "editor/platform/services.h"
#include "editor/quillet_frame_wnd.h"
#include "media/bitmap_text.h"
#include "media/font_import.h"
#include "media/system_fonts.h"
#include "tag_files/tag_data.h"
#include "tag_files/tag_groups.h"

#include <QTreeWidgetItem>

namespace {

// The new tag's data, drawn with the progress shown; empty when the font
// cannot be opened.
std::vector<std::byte> draw_font(CQuilletFrameWnd& frame, const font_import_options& options) {
    CProgressDlg progress(&frame);
    progress.show();
    const auto font = system_font::open(options);
    if (!font) return {};
    return build_font_tag_data(*font, options.antialiased, options.all_caps,
                               [&progress](int percent) { progress.set_position(percent); });
}

const NewTagHookRegistration font_import_hook(NewTagHook::font_import, import_font);

}  // namespace

void import_font(CQuilletFrameWnd& frame) {
    const std::vector<std::string> families = system_font_families();
    CImportFontDlg choice(families, initial_font_family(families), &frame);
    if (platform::run_modal(choice) != QDialog::Accepted) return;
    const font_import_options& options = choice.options();

    CNewTagNameDlg naming(QStringLiteral("New Font"), font_group_tag, proposed_font_tag_name(options),
                          tag_group_get_version(font_group_tag), &frame);
    if (platform::run_modal(naming) != QDialog::Accepted || naming.result() == NONE) return;

    tag_handle handle = naming.result();
    const std::vector<std::byte> data = draw_font(frame, options);
    // Written once, whole: a failure leaves the new tag empty, and says so.
    const bool written = !data.empty() && write_font_tag(handle, data);
    tag_file_close_local();
    if (!written) {
        platform::message_box(&frame, QStringLiteral("Error writing tag file!"), platform::application_name(),
                              platform::Buttons::ok, platform::Icon::none);
    }
    if (QTreeWidgetItem* group_item = frame.find_group_item(font_group_tag)) {
        frame.populate_group(group_item, group_item->isExpanded(), NONE);
    }
    if (written) frame.select_and_open(font_group_tag, naming.name());
}
