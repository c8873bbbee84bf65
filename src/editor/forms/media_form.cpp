#include "editor/forms/media_form.h"

#include "definitions/media_definitions.h"
#include "editor/tag_group_registry.h"

namespace media_form {

namespace {

using definitions::media_definition;
using definitions::NamedValue;
using toolkit::Field;

void declare_projectile_groups(toolkit::Form& form) {
    for (const NamedValue& splash : definitions::media_projectile_group_names)
        form.reference(first_projectile_group_id + splash.value, splash.name, make_tag("prgr"),
                       Field::at<uint32_t>(static_cast<uint32_t>(splash.value) * 4));
}

ElementDialogFactory projectile_groups_dialog() {
    return toolkit::form_element_dialog(projectile_groups_template_id, sizeof(media_definition::projectile_groups),
                                        declare_projectile_groups);
}

// The three components of a vector of world distances.
void components(toolkit::Form& form, int first_id, const Field& first) {
    const char* labels[] = {"I component:", "J component:", "K component:"};
    for (int i = 0; i < 3; ++i)
        form.distance(first_id + i, labels[i], Field::at<int16_t>(first.offset + 2 * static_cast<uint32_t>(i)));
}

const EditorRegistration media_editor(make_tag("medi"), &create_media_dialog);

}  // namespace

void declare(toolkit::Form& form) {
    form.flags(1244, &media_definition::flags, definitions::media_flag_names);
    form.reference(1029, "Collection Reference:", make_tag("core"), &media_definition::collection_reference);
    form.reference(1030, "Surface Effect:", make_tag("lpgr"), &media_definition::surface_effect);
    form.fraction(1240, "Surface Effect Density:", &media_definition::surface_effect_density);
    form.integer(1241, "Max. Effects Per Cell:", &media_definition::maximum_effects_per_cell);
    form.ticks(1242, "Time Between Effects:", &media_definition::time_between_effects);
    form.element_button(projectile_groups_button_id, "Edit Projectile Groups...", "Media Projectile Groups",
                        Field::whole(&media_definition::projectile_groups), projectile_groups_dialog());
    form.group("Reflection", [&form] {
        form.short_fixed(1239, "Reflection Tint Fraction:", &media_definition::reflection_tint_fraction);
        form.color_ref_button(reflection_tint_color_id, "Reflection Tint Color:",
                              Field::whole(&media_definition::reflection_tint_color));
        form.fraction(1251, "Reflection Transparency:", &media_definition::reflection_transparency);
    });
    form.column();
    form.group("Wobble Magnitude",
               [&form] { components(form, 1245, Field(&media_definition::wobble_magnitude, 0)); });
    form.group("Wobble Phase Multiplier",
               [&form] { components(form, 1248, Field(&media_definition::wobble_phase_multiplier, 0)); });
}

}  // namespace media_form

CMediaDlg::CMediaDlg(tag_code group, tag_code subgroup, QWidget* parent)
    : CFormTagDialog(media_form::template_id, group, subgroup, parent, sizeof(definitions::media_definition),
                     definitions::media_definition_codes, media_form::declare) {}

CTagDialog* create_media_dialog(tag_code group, tag_code subgroup, QWidget* parent) {
    return new CMediaDlg(group, subgroup, parent);
}
