#pragma once

// The font form (group `font`): every character in a grid, the selected
// character's advance as "Kerning:", and the four fonts of the styles. The
// character records are read and written with the font record.

#include "core/tag_code.h"
#include "editor/toolkit/form_dialogs.h"

#include <cstddef>
#include <vector>

class CFontCharacterGrid;
class QLabel;
class QSlider;

namespace font_form {

inline constexpr int template_id = 198;

inline constexpr int grid_id = 1266;
inline constexpr int character_text_id = 1035;
inline constexpr int kerning_slider_id = 1267;
inline constexpr int kerning_text_id = 1268;
inline constexpr int italic_id = 1290;
inline constexpr int bold_id = 1291;
inline constexpr int condensed_id = 1292;
inline constexpr int underlined_id = 1293;

}  // namespace font_form

class CFontDlg;

namespace font_form {

// The rows of the form; the grid's row exchanges the dialog's character records.
void declare(toolkit::Form& form, CFontDlg& dialog);

}  // namespace font_form

class CFontDlg : public CFormTagDialog {
    Q_OBJECT

public:
    CFontDlg(tag_code group, tag_code subgroup, QWidget* parent);

    CFontCharacterGrid& grid() const { return *grid_; }

protected:
    bool event(QEvent* event) override;

private:
    friend void font_form::declare(toolkit::Form& form, CFontDlg& dialog);
    // The character records between the font record's exchange and its write.
    void exchange_characters(CDataExchange& dx);
    void update_selection_texts();
    void kerning_moved(int advance);

    CFontCharacterGrid* grid_ = nullptr;
    QLabel* character_text_ = nullptr;
    QLabel* kerning_text_ = nullptr;
    QSlider* kerning_slider_ = nullptr;
    std::vector<std::byte> characters_;  // headers in host order while the form is open
    bool characters_read_ = false;
};

CTagDialog* create_font_dialog(tag_code group, tag_code subgroup, QWidget* parent);
