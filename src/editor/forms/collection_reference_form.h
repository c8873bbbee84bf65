#pragma once

// The collection reference form (group `core`): the collection, its colour
// permutations with a swatch per hue change, the tint, and a preview of the chosen
// bitmap recoloured by the selected permutation and tinted, redrawn on every change.

#include "core/tag_code.h"
#include "editor/toolkit/form_dialogs.h"
#include "media/collection_reader.h"

#include <QString>

#include <cstddef>
#include <optional>
#include <vector>

class QEvent;
class QWidget;

namespace collection_reference_form {

inline constexpr int template_id = 145;
inline constexpr int collection_id = 1039;
inline constexpr int permutation_list_id = 1036;
inline constexpr int swatch_list_id = 1037;
inline constexpr int preview_id = 1033;
inline constexpr int bitmap_slider_id = 1034;
inline constexpr int bitmap_label_id = 1035;
inline constexpr int add_id = 1017;
inline constexpr int delete_id = 1019;
inline constexpr int tint_color_id = 1031;
inline constexpr int tint_slider_id = 1032;
inline constexpr int tint_label_id = 1175;
inline constexpr int show_id = 1176;

inline constexpr int full_tint = 256;

// Label 1175: the tint fraction as a percentage of a full tint.
QString tint_text(int fraction);

void declare(toolkit::Form& form);

}  // namespace collection_reference_form

class CCollectionReferenceDlg : public CFormTagDialog {
    Q_OBJECT

public:
    CCollectionReferenceDlg(tag_code group, tag_code subgroup, QWidget* parent);

    // Reloads the collection chosen in the picker (on opening and on every pick).
    void load_collection();
    void refresh_bitmap_controls();
    void refill_permutations();
    void refill_swatches();
    void draw_preview();
    // Opens the collection viewer on the chosen collection.
    void show_in_viewer();
    void add_permutation();
    void delete_permutation();
    // Any scroll: the tint fraction follows its slider.
    void scrolled();

protected:
    void customEvent(QEvent* event) override;

private:
    // The stored count within what the record holds.
    int permutation_count();
    int selected_permutation() const;

    std::vector<std::byte> collection_tag_;  // the chosen collection's data, read once per choice
    std::optional<collection_display> collection_;  // none while nothing readable is chosen
};

CTagDialog* create_collection_reference_dialog(tag_code group, tag_code subgroup, QWidget* parent);
