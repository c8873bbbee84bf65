#include "editor/forms/interface_form.h"

#include "definitions/interface_definitions.h"
#include "editor/tag_group_registry.h"

namespace interface_form {

namespace {

using definitions::interface_definition;
using definitions::NamedValue;
using toolkit::Field;

// Font k (from 0) is picker first_font_id + k.
constexpr int first_font_id = 1021;

const EditorRegistration interface_editor(make_tag("inte"), &create_interface_dialog);

}  // namespace

void declare(toolkit::Form& form) {
    form.reference(1039, "Collection:", make_tag(".256"), &interface_definition::collection);
    form.group("Fonts", [&form] {
        for (const NamedValue& font : definitions::interface_font_names)
            form.reference(first_font_id + font.value, font.name, make_tag("font"),
                           Field(&interface_definition::fonts, static_cast<size_t>(font.value)));
    });
}

}  // namespace interface_form

CInterfaceDlg::CInterfaceDlg(tag_code group, tag_code subgroup, QWidget* parent)
    : CFormTagDialog(interface_form::template_id, group, subgroup, parent, sizeof(definitions::interface_definition),
                     definitions::interface_definition_codes, interface_form::declare) {}

CTagDialog* create_interface_dialog(tag_code group, tag_code subgroup, QWidget* parent) {
    return new CInterfaceDlg(group, subgroup, parent);
}
