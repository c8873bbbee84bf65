#include "editor/forms/wind_form.h"

#include "definitions/ambient_definitions.h"
#include "editor/tag_group_registry.h"

#include <cstddef>
#include <iterator>

namespace wind_form {

namespace {

using definitions::wind_definition;

const EditorRegistration wind_editor(make_tag("wind"), &create_wind_dialog);

}  // namespace

void declare(toolkit::Form& form) {
    form.ticks_range(1006, 1007, "Time between adjustments:", &wind_definition::time_lower,
                     &wind_definition::time_delta);
    form.fixed(1008, "Maximum adjustment per tick:", &wind_definition::maximum_adjustment_per_tick, 5);
    form.group("Wind Velocity", [&form] {
        const char* const labels[] = {"I component:", "J component:", "K component:"};
        for (size_t i = 0; i < std::size(labels); ++i) {
            const int lower_id = 1009 + 2 * static_cast<int>(i);
            form.fixed_range(lower_id, lower_id + 1, labels[i], {&wind_definition::velocity_lower, i},
                             {&wind_definition::velocity_delta, i}, 5);
        }
    });
}

}  // namespace wind_form

CWindDlg::CWindDlg(tag_code group, tag_code subgroup, QWidget* parent)
    : CFormTagDialog(wind_form::template_id, group, subgroup, parent, sizeof(definitions::wind_definition),
                     definitions::wind_definition_codes, wind_form::declare) {
    // The template's caption, shown until the tag's name titles the form.
    setWindowTitle(QStringLiteral("Edit Wind"));
}

CTagDialog* create_wind_dialog(tag_code group, tag_code subgroup, QWidget* parent) {
    return new CWindDlg(group, subgroup, parent);
}
