#include "editor/tag_group_registry.h"

#include <map>

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
