#include "editor/tag_group_registry.h"

#include "editor/toolkit/tag_list_model.h"

namespace {

std::map<tag_code, create_editor_function>& editors() {
    static std::map<tag_code, create_editor_function> registered;
    return registered;
}

CTagGroupRegistry*& active_registry() {
    static CTagGroupRegistry* registry = nullptr;
    return registry;
}

}  // namespace

EditorRegistration::EditorRegistration(tag_code group, create_editor_function create)
    : group_(group), previous_(CTagGroupRegistry::find_editor(group)) {
    editors()[group] = create;
}

EditorRegistration::~EditorRegistration() {
    if (previous_) {
        editors()[group_] = previous_;
    } else {
        editors().erase(group_);
    }
}

CTagGroupRegistry* CTagGroupRegistry::active() { return active_registry(); }

CTagGroupRegistry::CTagGroupRegistry() : previous_active_(active_registry()) { active_registry() = this; }

CTagGroupRegistry::~CTagGroupRegistry() {
    if (active_registry() == this) active_registry() = previous_active_;
}

const definitions::TagGroupEntry* CTagGroupRegistry::find_group(tag_code group) {
    return definitions::find_group(group);
}

create_editor_function CTagGroupRegistry::find_editor(tag_code group) {
    const auto found = editors().find(group);
    return found == editors().end() ? nullptr : found->second;
}

bool CTagGroupRegistry::has_editor(tag_code group) { return find_group(group) && find_editor(group); }

bool CTagGroupRegistry::is_hidden(tag_code group) { return definitions::is_hidden(group); }

const void* CTagGroupRegistry::get_default_definition(tag_code group) {
    return definitions::get_default_definition(group);
}

definitions::user_data_function CTagGroupRegistry::get_user_data_function(tag_code group) {
    return definitions::get_user_data_function(group);
}

uint32_t CTagGroupRegistry::get_definition_size(tag_code group) { return definitions::get_definition_size(group); }

CTagDialog* CTagGroupRegistry::open_editor(tag_code group, tag_code subgroup, QWidget* parent) {
    if (!has_editor(group)) return nullptr;
    return find_editor(group)(group, subgroup, parent);
}

void CTagGroupRegistry::rebuild_tag_list(tag_code group, bool force) {
    lists_.rebuild_tag_list(group, force);
    const auto model = name_order_models_.find(group);
    const definitions::TagNameList* list = lists_.find_tag_list(group);
    if (model != name_order_models_.end() && list) model->second->replace(toolkit::entries_of(*list));
}

QAbstractItemModel* CTagGroupRegistry::tag_list_model(tag_code group) {
    std::unique_ptr<toolkit::TagListModel>& model = name_order_models_[group];
    if (model) return model.get();
    if (!lists_.find_tag_list(group)) lists_.rebuild_tag_list(group, true);
    model = std::make_unique<toolkit::TagListModel>();
    model->replace(toolkit::entries_of(*lists_.find_tag_list(group)));
    return model.get();
}

toolkit::TagListModel* CTagGroupRegistry::directory_order_model(tag_code group) {
    std::unique_ptr<toolkit::TagListModel>& model = directory_order_models_[group];
    if (!model) model = std::make_unique<toolkit::TagListModel>();
    model->replace(toolkit::directory_entries(group));
    return model.get();
}
