#include "editor/forms/formations_form.h"

#include "definitions/formation_definitions.h"
#include "editor/tag_group_registry.h"

namespace formations_form {

namespace {

using definitions::formation_definition;

void line_page(toolkit::Form& form, const QString& title, int first_id, const QString& units_label,
               toolkit::Field units, const QString& separation_label, toolkit::Field separation) {
    form.page(title, [&] {
        form.integer(first_id, units_label, units);
        form.distance(first_id + 1, separation_label, separation);
    });
}

const EditorRegistration formations_editor(make_tag("form"), &create_formations_dialog);

}  // namespace

void declare(toolkit::Form& form) {
    using formation = formation_definition;
    form.pages(tabs_id, [&form] {
        line_page(form, "Short Line", 1295, "Max. Units Per Short Line Row:", &formation::short_line_units_per_row,
                  "Short Line Unit Separation:", &formation::short_line_separation);
        line_page(form, "Long Line", 1297, "Max. Units Per Long Line Row:", &formation::long_line_units_per_row,
                  "Long Line Unit Separation:", &formation::long_line_separation);
        line_page(form, "Loose Line", 1299, "Max. Units Per Loose Line Row:", &formation::loose_line_units_per_row,
                  "Loose Line Unit Separation:", &formation::loose_line_separation);
        line_page(form, "Staggered Line", 1301, "Max. Units Per Staggered Line:",
                  &formation::staggered_line_units_per_row, "Staggered Line Unit Separation:",
                  &formation::staggered_line_separation);
        form.page("Box", [&form] { form.distance(1303, "Box Unit Separation:", &formation::box_separation); });
        form.page("Mob", [&form] {
            form.distance(1304, "Minimum Mob Unit Separation:", &formation::mob_minimum_separation);
            form.short_fixed(1305, "Mob X Bias:", &formation::mob_x_bias);
        });
        form.page("Encirclements", [&form] {
            form.distance(1306, "Minimum Encirclement Radius:", &formation::encirclement_minimum_radius);
            form.distance(1307, "Encirclement Unit Separation:", &formation::encirclement_separation);
            form.angle(1308, "Shallow Encirclement Arc Length:", &formation::shallow_encirclement_arc);
            form.angle(1309, "Deep Encirclement Arc Length:", &formation::deep_encirclement_arc);
        });
        form.page("Vanguard", [&form] {
            form.distance(1310, "Vanguard Front Row Separation:", &formation::vanguard_front_row_separation);
            form.distance(1311, "Vanguard Unit Separation:", &formation::vanguard_unit_separation);
            form.distance(1314, "Vanguard Row Separation:", &formation::vanguard_row_separation);
        });
        form.page("Circle", [&form] { form.distance(1312, "Circle Unit Separation:", &formation::circle_separation); });
    });
}

}  // namespace formations_form

CFormationsDlg::CFormationsDlg(tag_code group, tag_code subgroup, QWidget* parent)
    : CFormTagDialog(formations_form::template_id, group, subgroup, parent, sizeof(definitions::formation_definition),
                     definitions::formation_definition_codes, formations_form::declare) {}

CTagDialog* create_formations_dialog(tag_code group, tag_code subgroup, QWidget* parent) {
    return new CFormationsDlg(group, subgroup, parent);
}
