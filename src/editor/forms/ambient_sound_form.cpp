#include "editor/forms/ambient_sound_form.h"

#include "definitions/ambient_definitions.h"
#include "editor/tag_group_registry.h"

namespace ambient_sound_form {

namespace {

using definitions::ambient_sound_definition;

constexpr tag_code sounds = make_tag("soun");

const EditorRegistration ambient_sound_editor(make_tag("amso"), &create_ambient_sound_dialog);

}  // namespace

void declare(toolkit::Form& form) {
    form.reference(1007, "Background Sound:", sounds, &ambient_sound_definition::background_sound);
    form.reference(1008, "Random Sound:", sounds, &ambient_sound_definition::random_sound);
    form.distance(1009, "Inner Radius:", &ambient_sound_definition::inner_radius);
    form.distance(1010, "Outer Radius:", &ambient_sound_definition::outer_radius);
    form.ticks_range(1012, 1011, "Period (seconds):", &ambient_sound_definition::period_lower,
                     &ambient_sound_definition::period_delta);
    form.distance(1013, "Random Sound Radius:", &ambient_sound_definition::random_sound_radius);
}

}  // namespace ambient_sound_form

CAmbientSoundDlg::CAmbientSoundDlg(tag_code group, tag_code subgroup, QWidget* parent)
    : CFormTagDialog(ambient_sound_form::template_id, group, subgroup, parent,
                     sizeof(definitions::ambient_sound_definition), definitions::ambient_sound_definition_codes,
                     ambient_sound_form::declare) {}

CTagDialog* create_ambient_sound_dialog(tag_code group, tag_code subgroup, QWidget* parent) {
    return new CAmbientSoundDlg(group, subgroup, parent);
}
