#include "editor/forms/particle_system_form.h"

#include "definitions/particle_system_definitions.h"
#include "editor/tag_group_registry.h"

namespace particle_system_form {

namespace {

using definitions::particle_system_definition;
using definitions::particle_system_state;
using toolkit::Field;

constexpr int collection_reference_id = 1029;

// The three ranges of a state; ids of the lower bound boxes, each upper box one more.
void state(toolkit::Form& form, Field first, int duration_id, int intensity_id, int transition_id) {
    const auto at = [&first](size_t offset) { return first.offset + static_cast<uint32_t>(offset); };
    form.ticks_range(duration_id, duration_id + 1, "Duration:",
                     Field::at<int16_t>(at(offsetof(particle_system_state, duration_lower))),
                     Field::at<int16_t>(at(offsetof(particle_system_state, duration_delta))));
    form.fraction_range(intensity_id, intensity_id + 1, "Intensity:",
                        Field::at<uint16_t>(at(offsetof(particle_system_state, intensity_lower))),
                        Field::at<uint16_t>(at(offsetof(particle_system_state, intensity_delta))));
    form.ticks_range(transition_id, transition_id + 1, "Transition Duration:",
                     Field::at<int16_t>(at(offsetof(particle_system_state, transition_duration_lower))),
                     Field::at<int16_t>(at(offsetof(particle_system_state, transition_duration_delta))));
}

const EditorRegistration particle_system_editor(make_tag("part"), &create_particle_system_dialog);

}  // namespace

void declare(toolkit::Form& form) {
    form.flags(1061, &particle_system_definition::flags, definitions::particle_system_flag_names);
    form.reference(collection_reference_id, "Collection Reference:", make_tag("core"),
                   &particle_system_definition::collection_reference);
    form.dependent_sequence(1021, "Sequence:", &particle_system_definition::sequence, collection_reference_id,
                            toolkit::SequenceSource::collection_reference);
    form.distance(1056, "Minimum View Distance:", &particle_system_definition::minimum_view_distance);
    form.distance(1057, "Transparency Rolloff Point:", &particle_system_definition::transparency_rolloff_point);
    form.distance(1058, "Transparency Cutoff Point:", &particle_system_definition::transparency_cutoff_point);
    form.integer(1059, "Maximum # of Particles:", &particle_system_definition::maximum_particle_count);
    form.short_fixed(1060, "Scale:", &particle_system_definition::scale);
    form.reference(1010, "Ambient Sound:", make_tag("amso"), &particle_system_definition::ambient_sound);
    form.reference(1009, "Splash Local Projectile Group:", make_tag("lpgr"),
                   &particle_system_definition::splash_local_projectile_group);
    form.group("Velocity Ranges", [&form] {
        const char* labels[] = {"I:", "J:", "K:"};
        const int lower_ids[] = {1074, 1082, 1084};
        for (int i = 0; i < 3; ++i)
            form.fixed_range(lower_ids[i], lower_ids[i] + 1, labels[i],
                             Field(&particle_system_definition::velocity_lower, i),
                             Field(&particle_system_definition::velocity_delta, i));
    });
    form.column();
    form.group("Boundary Conditions", [&form] {
        form.around_frame(
            [&form] { form.short_fixed(1070, QString(), &particle_system_definition::boundary_top); },
            [&form] { form.short_fixed(1072, QString(), &particle_system_definition::boundary_left); },
            [&form] { form.short_fixed(1073, QString(), &particle_system_definition::boundary_right); },
            [&form] { form.short_fixed(1071, QString(), &particle_system_definition::boundary_bottom); });
    });
    form.group("Not Snowing State",
               [&form] { state(form, Field::whole(&particle_system_definition::not_snowing), 1064, 1066, 1068); });
    form.group("Snowing State",
               [&form] { state(form, Field::whole(&particle_system_definition::snowing), 1076, 1078, 1080); });
}

}  // namespace particle_system_form

CParticleSystemDlg::CParticleSystemDlg(tag_code group, tag_code subgroup, QWidget* parent)
    : CFormTagDialog(particle_system_form::template_id, group, subgroup, parent,
                     sizeof(definitions::particle_system_definition), definitions::particle_system_definition_codes,
                     particle_system_form::declare) {}

CTagDialog* create_particle_system_dialog(tag_code group, tag_code subgroup, QWidget* parent) {
    return new CParticleSystemDlg(group, subgroup, parent);
}
