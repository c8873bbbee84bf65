#include "editor/commands/new_tag_hooks.h"

#include <map>

namespace {

std::map<NewTagHook, new_tag_hook_function>& registered_hooks() {
    static std::map<NewTagHook, new_tag_hook_function> hooks;
    return hooks;
}

}  // namespace

const new_tag_hook_function* find_new_tag_hook(NewTagHook hook) {
    const auto& hooks = registered_hooks();
    const auto found = hooks.find(hook);
    return found == hooks.end() ? nullptr : &found->second;
}

bool can_create_tags_of(tag_code group) {
    return group != font_group || find_new_tag_hook(NewTagHook::font_import) != nullptr;
}

NewTagHookRegistration::NewTagHookRegistration(NewTagHook hook, new_tag_hook_function function) : hook_(hook) {
    auto& hooks = registered_hooks();
    if (const auto found = hooks.find(hook); found != hooks.end()) previous_ = std::move(found->second);
    hooks[hook] = std::move(function);
}

NewTagHookRegistration::~NewTagHookRegistration() {
    auto& hooks = registered_hooks();
    if (previous_) {
        hooks[hook_] = std::move(*previous_);
    } else {
        hooks.erase(hook_);
    }
}
