#include "editor/forms/map_settings_form.h"

#include "definitions/map_definitions.h"
#include "editor/tag_group_registry.h"

namespace map_settings_form {

namespace {

using definitions::mesh_header;
using definitions::NamedValue;
using toolkit::Field;

constexpr tag_code collections = make_tag(".256");
constexpr tag_code string_lists = make_tag("stli");
constexpr uint32_t requires_plugin = 0x80000000;

void declare_references(toolkit::Form& form) {
    form.reference(1207, "Landscape:", collections, &mesh_header::landscape_collection);
    form.reference(1008, "Media:", make_tag("medi"), &mesh_header::media);
    form.reference(1009, "Mesh Lighting:", make_tag("meli"), &mesh_header::mesh_lighting);
    form.reference(1026, "Connector:", make_tag("conn"), &mesh_header::connector);
    form.reference(1234, "Particle System:", make_tag("part"), &mesh_header::particle_system);
    form.reference(1013, "Wind:", make_tag("wind"), &mesh_header::wind);
    form.reference(1010, "Ambient Sound:", make_tag("amso"), &mesh_header::ambient_sound);
    form.reference(1014, "Narration Sound:", make_tag("soun"), &mesh_header::narration_sound);
    form.reference(1012, "Map Description:", string_lists, &mesh_header::map_description);
    form.reference(1024, "Picture Captions:", string_lists, &mesh_header::picture_captions);
    form.reference(1027, "Hints List:", string_lists, &mesh_header::hints_list);
    form.reference(1015, "Pregame:", collections, &mesh_header::pregame_collection);
    form.reference(1017, "Postgame:", collections, &mesh_header::postgame_collection);
    form.reference(1016, "Overhead Map:", collections, &mesh_header::overhead_map_collection);
    form.group("Next Mesh", [&form] {
        form.reference(1018, "Success:", make_tag("mesh"), &mesh_header::next_mesh_on_success);
        form.reference(1019, "Failure:", make_tag("mesh"), &mesh_header::next_mesh_on_failure);
    });
    form.group("Storyline",
               [&form] { form.reference(1023, "Pregame:", make_tag("text"), &mesh_header::pregame_storyline); });
}

void declare_look(toolkit::Form& form) {
    form.long_as_short(1239, "Team Count:", &mesh_header::team_count);
    form.distance(1240, "Ceiling Height:", &mesh_header::ceiling_height);
    form.group("Lighting", [&form] {
        form.short_fixed(1232, "Dark Color Fraction:", &mesh_header::dark_color_fraction);
        form.color_button(dark_color_id, "Edit Dark Color...", Field::whole(&mesh_header::dark_color));
        form.short_fixed(1233, "Light Color Fraction:", &mesh_header::light_color_fraction);
        form.color_button(light_color_id, "Edit Light Color...", Field::whole(&mesh_header::light_color));
        form.fixed(1235, "Transition Point:", &mesh_header::lighting_transition_point, 3);
    });
    form.group("Global Tint", [&form] {
        form.short_fixed(1032, "Tint Fraction:", &mesh_header::global_tint_fraction);
        form.color_button(tint_color_id, "Edit Tint Color...", Field::whole(&mesh_header::global_tint_color));
        form.color_button(blood_color_id, "Edit Blood Color...", Field::whole(&mesh_header::blood_color));
    });
    form.group("Fog", [&form] {
        form.color_button(fog_color_id, "Edit Fog Color...", Field::whole(&mesh_header::fog_color));
        form.real(1243, "Density:", &mesh_header::fog_density, 6);
    });
    form.group("Reverb", [&form] {
        form.enumeration(1025, "Environment:", &mesh_header::reverb_environment,
                         definitions::reverb_environment_names, 1);
        form.real(1051, "Volume:", &mesh_header::reverb_volume, 3);
        form.real(1237, "Decay Time:", &mesh_header::reverb_decay_time, 3);
        form.real(1238, "Damping:", &mesh_header::reverb_damping, 3);
    });
    form.group("Cutscene Movies", [&form] {
        form.text(1020, "Pregame:", Field::whole(&mesh_header::pregame_movie), definitions::map_movie_name_capacity);
        form.text(1021, "Success:", Field::whole(&mesh_header::success_movie), definitions::map_movie_name_capacity);
        form.text(1022, "Failure:", Field::whole(&mesh_header::failure_movie), definitions::map_movie_name_capacity);
    });
}

void declare_flags(toolkit::Form& form) {
    const auto flag = [&form](const NamedValue& bit) {
        const auto mask = static_cast<uint32_t>(bit.value);
        form.flag(flag_id(mask), bit.name, &mesh_header::flags, mask);
    };
    form.group("Game Scoring Types", [&] {
        for (const NamedValue& bit : definitions::mesh_flag_names)
            if ((static_cast<uint32_t>(bit.value) & definitions::mesh_scoring_type_mask) != 0) flag(bit);
    });
    for (const NamedValue& bit : definitions::mesh_flag_names) {
        const auto mask = static_cast<uint32_t>(bit.value);
        if ((mask & definitions::mesh_scoring_type_mask) != 0 || mask == requires_plugin) continue;
        flag(bit);
    }
    form.line(QString(), [&form] {
        form.flag(flag_id(requires_plugin), "Requires Plugin:", &mesh_header::flags, requires_plugin);
        form.text(required_plugin_id, QString(), Field::whole(&mesh_header::required_plugin),
                  definitions::map_plugin_name_capacity);
    });
}

const EditorRegistration mesh_settings_editor(make_tag("mesh"), &create_mesh_settings_dialog);

}  // namespace

void declare(toolkit::Form& form) {
    declare_references(form);
    form.column();
    declare_look(form);
    form.column();
    declare_flags(form);
}

}  // namespace map_settings_form

// The form's record is the header alone, so the base reads and writes exactly its
// 1024 bytes at the start of the data. New creates a map empty; its form starts
// from an all-zero header.
CMeshSettingsDlg::CMeshSettingsDlg(tag_code group, tag_code subgroup, QWidget* parent)
    : CFormTagDialog(map_settings_form::template_id, group, subgroup, parent, sizeof(definitions::mesh_header),
                     definitions::mesh_header_codes, map_settings_form::declare) {
    read_empty_tag_as_zero_record();
}

CTagDialog* create_mesh_settings_dialog(tag_code group, tag_code subgroup, QWidget* parent) {
    return new CMeshSettingsDlg(group, subgroup, parent);
}
