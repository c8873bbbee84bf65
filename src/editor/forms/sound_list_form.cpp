#include "editor/forms/sound_list_form.h"

#include "definitions/sound_definitions.h"
#include "editor/tag_group_registry.h"

namespace sound_list_form {

namespace {

using definitions::sound_list;
using definitions::sound_list_entry;
using toolkit::Field;

constexpr tag_code sounds = make_tag("soun");

// CSoundListEntryDlg: the entry's one reference.
void declare_entry(toolkit::Form& form) {
    form.reference(entry_sound_id, "Sound:", sounds, &sound_list_entry::sound);
}

const ElementListConfig& entry_list_config() {
    static const ElementListConfig config{
        sizeof(sound_list_entry),
        offsetof(sound_list_entry, sound),
        QStringLiteral("Sound #"),
        definitions::sound_list_capacity,
        sounds,
        toolkit::form_element_dialog(entry_template_id, sizeof(sound_list_entry), declare_entry),
        &definitions::sound_list_entry_default,
    };
    return config;
}

const EditorRegistration sound_list_editor(make_tag("soli"), &create_sound_list_dialog);

}  // namespace

void declare(toolkit::Form& form) {
    form.element_list(sound_list_id, entry_list_config(), Field::whole(&sound_list::entries), &sound_list::count);
}

}  // namespace sound_list_form

CSoundListDlg::CSoundListDlg(tag_code group, tag_code subgroup, QWidget* parent)
    : CFormTagDialog(sound_list_form::template_id, group, subgroup, parent, sizeof(definitions::sound_list),
                     definitions::sound_list_codes, sound_list_form::declare) {}

CTagDialog* create_sound_list_dialog(tag_code group, tag_code subgroup, QWidget* parent) {
    return new CSoundListDlg(group, subgroup, parent);
}
