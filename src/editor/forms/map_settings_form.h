#pragma once

// The map settings form (group `mesh`): the settings header, the first 1024 bytes of a
// map tag's data. Only those bytes are read and written; the rest of the map, usually
// far larger, stays on disk as it is.

#include "core/tag_code.h"
#include "editor/toolkit/form_dialogs.h"

#include <bit>
#include <cstdint>

class QWidget;

namespace map_settings_form {

inline constexpr int template_id = 188;

inline constexpr int dark_color_id = 1230;
inline constexpr int light_color_id = 1231;
inline constexpr int tint_color_id = 1236;
inline constexpr int blood_color_id = 1241;
inline constexpr int fog_color_id = 1242;
inline constexpr int required_plugin_id = 1028;

// The game scoring types (flag bits 0 to 13) are check boxes 1323 to 1336; the other
// flag boxes are numbered after their bit from 1400.
constexpr int flag_id(uint32_t mask) {
    const int bit = std::countr_zero(mask);
    return bit < 14 ? 1323 + bit : 1400 + bit;
}

void declare(toolkit::Form& form);

}  // namespace map_settings_form

class CMeshSettingsDlg : public CFormTagDialog {
    Q_OBJECT

public:
    CMeshSettingsDlg(tag_code group, tag_code subgroup, QWidget* parent);
};

CTagDialog* create_mesh_settings_dialog(tag_code group, tag_code subgroup, QWidget* parent);
