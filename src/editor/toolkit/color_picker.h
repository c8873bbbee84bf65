#pragma once

// The colour picker: the desktop's colour dialog, opened expanded on the present
// colour, with three colour-flag check boxes (1154 "Is Reversed", 1155 "Uses Global
// Tint", 1156 "Is Unused" in group box 1252 "Color Flags") and the red, green and
// blue edit boxes 706, 707 and 708 whose integers OK stores.
//
// `rgb_color` mode edits four 16-bit words (red, green, blue, flags): a component the
// user changed is stored as value x 256; the others, and the flag bits without a box,
// keep their stored bits. `color_ref` mode edits 0x00BBGGRR and has no flags.

#include "editor/toolkit/control_registry.h"

#include <QDialog>

#include <cstdint>

class QColorDialog;
class QGroupBox;
class QLineEdit;

inline constexpr int color_picker_template_id = 176;
inline constexpr int color_flags_group_id = 1252;
inline constexpr int color_is_reversed_id = 1154;
inline constexpr int color_uses_global_tint_id = 1155;
inline constexpr int color_is_unused_id = 1156;
inline constexpr int color_red_id = 706;
inline constexpr int color_green_id = 707;
inline constexpr int color_blue_id = 708;

class CCustomColorPickerDlg : public QDialog {
    Q_OBJECT

public:
    // rgb_color mode over four consecutive words: red, green, blue, flags.
    CCustomColorPickerDlg(QWidget* parent, uint16_t* rgb_words);
    // color_ref mode.
    CCustomColorPickerDlg(QWidget* parent, uint32_t* color_ref);

    QWidget* control(int control_id) const { return controls_.find(control_id); }

public slots:
    void accept() override;

private:
    CCustomColorPickerDlg(QWidget* parent, int red, int green, int blue, bool with_flags);
    void show_components(const QColor& color);
    void follow_edits();

    uint16_t* rgb_words_ = nullptr;
    uint32_t* color_ref_ = nullptr;
    toolkit::ControlRegistry controls_;
    QColorDialog* chooser_;
    QGroupBox* flags_;
    QLineEdit* components_[3];
};

namespace toolkit {
// Runs the picker on a colour; true when it ended with OK.
bool pick_rgb_color(QWidget* parent, uint16_t* rgb_words);
bool pick_color_ref(QWidget* parent, uint32_t* color_ref);
}  // namespace toolkit
