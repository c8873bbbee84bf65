#include "editor/forms/font_form.h"

#include "core/character_translation.h"
#include "definitions/font_definitions.h"
#include "editor/character_translation.h"
#include "editor/data_exchange.h"
#include "editor/forms/font_character_grid.h"
#include "editor/platform/services.h"
#include "editor/tag_group_registry.h"
#include "media/bitmap_text.h"
#include "tag_files/tag_data.h"

#include <QEvent>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>

using definitions::font_character;
using definitions::font_definition;

namespace font_form {

namespace {

using toolkit::Field;

// The grid's own size: its layout of the characters depends on it.
constexpr QSize grid_size(480, 320);

void nothing_to_exchange(CDataExchange&) {}

void report(QWidget* owner, const QString& text) {
    platform::message_box(owner, text, platform::application_name(), platform::Buttons::ok, platform::Icon::none);
}

const EditorRegistration font_editor(font_group_tag, &create_font_dialog);

}  // namespace

}  // namespace font_form

CFontDlg::CFontDlg(tag_code group, tag_code subgroup, QWidget* parent)
    : CFormTagDialog(font_form::template_id, group, subgroup, parent, sizeof(font_definition),
                     definitions::font_definition_codes, [this](toolkit::Form& form) { font_form::declare(form, *this); }) {
    grid_ = control_as<CFontCharacterGrid>(font_form::grid_id);
    character_text_ = control_as<QLabel>(font_form::character_text_id);
    kerning_text_ = control_as<QLabel>(font_form::kerning_text_id);
    kerning_slider_ = control_as<QSlider>(font_form::kerning_slider_id);
    connect(kerning_slider_, &QSlider::valueChanged, this, &CFontDlg::kerning_moved);
}

// Runs inside the base's constructor: it makes and registers the controls,
// and the dialog looks its members up afterwards.
void font_form::declare(toolkit::Form& form, CFontDlg& dialog) {
    auto* grid = new CFontCharacterGrid;
    grid->setFixedSize(grid_size);
    form.custom(grid_id, QString(), grid, [&dialog](CDataExchange& dx) { dialog.exchange_characters(dx); });
    form.custom(character_text_id, QString(), new QLabel, nothing_to_exchange);
    form.line(QStringLiteral("Kerning:"), [&form] {
        form.custom(kerning_slider_id, QString(), new QSlider(Qt::Horizontal), nothing_to_exchange);
        form.custom(kerning_text_id, QString(), new QLabel, nothing_to_exchange);
    });
    form.column();
    form.group(QStringLiteral("Font Styles"), [&form] {
        form.reference(italic_id, QStringLiteral("Italic:"), font_group_tag, Field(&font_definition::style_fonts, 0));
        form.reference(bold_id, QStringLiteral("Bold:"), font_group_tag, Field(&font_definition::style_fonts, 1));
        form.reference(condensed_id, QStringLiteral("Condensed:"), font_group_tag,
                       Field(&font_definition::style_fonts, 2));
        form.reference(underlined_id, QStringLiteral("Underlined:"), font_group_tag,
                       Field(&font_definition::style_fonts, 3));
    });
}

void CFontDlg::exchange_characters(CDataExchange& dx) {
    const font_definition& font = record<font_definition>();
    tag_handle handle = tag_find(group_tag(), subgroup());
    if (dx.is_loading()) {
        // Counts and places come from the file: whatever they say, the block
        // read is the one the tag holds, and every record lies inside it.
        // Bounded by the tag before anything is allocated.
        characters_read_ = font_character_block_fits(font, tag_get_size(handle));
        if (characters_read_) {
            characters_.assign(static_cast<std::size_t>(font.characters_size), std::byte{0});
            characters_read_ = characters_.empty() ||
                               tag_file_read(handle, font.characters_offset, font.characters_size, characters_.data());
            tag_file_close_local();
        }
        characters_read_ = characters_read_ && byte_swap_font_characters(characters_, font.character_count, true) &&
                           font_character_sizes_are_whole(characters_, font.character_count);
        font_definition shown = font;
        if (!characters_read_) {
            characters_.clear();
            shown.character_count = 0;
            font_form::report(this, QStringLiteral("Error reading tag file!"));
        }
        grid_->set_font(shown, characters_);
        kerning_slider_->setRange(0, 2 * grid_->largest_width());
        update_selection_texts();
        return;
    }
    // A block that could not be read is left as the tag has it.
    if (!characters_read_) return;
    byte_swap_font_characters(characters_, font.character_count, false);
    const bool written = characters_.empty() ||
                         tag_file_write(handle, font.characters_offset, static_cast<int32_t>(characters_.size()),
                                        characters_.data());
    tag_file_close_local();
    byte_swap_font_characters(characters_, font.character_count, true);
    if (!written) {
        font_form::report(this, QStringLiteral("Error writing tag file!"));
        dx.fail();
    }
}

void CFontDlg::update_selection_texts() {
    const font_character* character = grid_->character(grid_->selected());
    character_text_->setVisible(character != nullptr);
    kerning_text_->setVisible(character != nullptr);
    kerning_slider_->setVisible(character != nullptr);
    if (!character) return;
    const unsigned low_byte = character->code & 0xFF;
    const char shown = static_cast<char>(to_display_character(static_cast<unsigned char>(low_byte)));
    character_text_->setText(QString::asprintf("Char. %d (0x%02X) '", character->code, low_byte) +
                             text_from_windows_1252(std::string_view(&shown, 1)) + QStringLiteral("'"));
    kerning_text_->setText(QString::asprintf("%2d", character->advance));
    const QSignalBlocker quiet(kerning_slider_);
    kerning_slider_->setValue(character->advance);
}

void CFontDlg::kerning_moved(int advance) {
    font_character* character = grid_->character(grid_->selected());
    if (!character) return;
    character->advance = static_cast<int16_t>(advance);
    update_selection_texts();
}

bool CFontDlg::event(QEvent* event) {
    if (event->type() == static_cast<QEvent::Type>(CFontCharacterGrid::selection_message)) {
        update_selection_texts();
        return true;
    }
    return CFormTagDialog::event(event);
}

CTagDialog* create_font_dialog(tag_code group, tag_code subgroup, QWidget* parent) {
    return new CFontDlg(group, subgroup, parent);
}
