#pragma once

// Steps of tag creation that other parts of the editor supply from their own
// sources, with a static NewTagHookRegistration: the font import, which makes
// `font` tags in place of the name dialog, and the hidden game that a new
// monster tag of a certain name starts. Until the font import is registered,
// no `font` tag can be created, so the commands offering it stay disabled.

#include "core/tag_code.h"

#include <functional>
#include <optional>

class CQuilletFrameWnd;

enum class NewTagHook { font_import, hidden_game };

using new_tag_hook_function = std::function<void(CQuilletFrameWnd&)>;

inline constexpr tag_code font_group = make_tag("font");

// The registered function of a hook, or null.
const new_tag_hook_function* find_new_tag_hook(NewTagHook hook);

// False for `font` while no font import is registered.
bool can_create_tags_of(tag_code group);

// Registers a hook for its lifetime; the function registered before it (if
// any) comes back when it ends.
class NewTagHookRegistration {
public:
    NewTagHookRegistration(NewTagHook hook, new_tag_hook_function function);
    ~NewTagHookRegistration();
    NewTagHookRegistration(const NewTagHookRegistration&) = delete;
    NewTagHookRegistration& operator=(const NewTagHookRegistration&) = delete;

private:
    NewTagHook hook_;
    std::optional<new_tag_hook_function> previous_;
};
