#include "editor/forms/model_animation_form.h"

#include "definitions/model_animation_definitions.h"
#include "editor/tag_group_registry.h"

namespace model_animation_form {

namespace {

using definitions::model_animation_definition;
using definitions::model_animation_frame;
using toolkit::Field;

constexpr tag_code models = make_tag("mode");

void declare_frame(toolkit::Form& form) {
    form.reference(1047, "Model:", models, &model_animation_frame::model);
    form.integer(1324, "Permutation Index:", &model_animation_frame::permutation_index);
}

const EditorRegistration model_animation_editor(make_tag("anim"), &create_model_animation_dialog);

}  // namespace

const ElementListConfig& frame_list_config() {
    static const ElementListConfig config{
        sizeof(model_animation_frame),
        offsetof(model_animation_frame, model),
        QStringLiteral("Frame #"),
        definitions::model_animation_frame_capacity,
        models,
        toolkit::form_element_dialog(frame_template_id, sizeof(model_animation_frame), declare_frame),
        &definitions::model_animation_frame_default,
    };
    return config;
}

void declare(toolkit::Form& form) {
    form.flags(1040, &model_animation_definition::flags, definitions::model_animation_flag_names);
    form.integer(1045, "Ticks per frame:", &model_animation_definition::ticks_per_frame);
    form.group("Sound", [&form] {
        form.reference(1046, "Forward:", make_tag("soun"), &model_animation_definition::forward_sound);
        form.reference(1009, "Backward:", make_tag("soun"), &model_animation_definition::backward_sound);
    });
    form.column();
    form.group("Frames", [&form] {
        form.element_list(frame_list_id, frame_list_config(), Field::whole(&model_animation_definition::frames),
                          &model_animation_definition::frame_count);
    });
}

}  // namespace model_animation_form

CModelAnimationDlg::CModelAnimationDlg(tag_code group, tag_code subgroup, QWidget* parent)
    : CFormTagDialog(model_animation_form::template_id, group, subgroup, parent,
                     sizeof(definitions::model_animation_definition),
                     definitions::model_animation_definition_codes, model_animation_form::declare) {}

CTagDialog* create_model_animation_dialog(tag_code group, tag_code subgroup, QWidget* parent) {
    return new CModelAnimationDlg(group, subgroup, parent);
}
