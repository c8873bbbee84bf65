#pragma once

// The main frame's commands by id. The frame owns the menus and decides each
// item's enabling from the tree's selection; the code that carries out a
// command registers its handler here, from its own source file, with a static
// FrameCommandRegistration. A command nobody has registered is shown disabled.

#include <QString>

#include <functional>
#include <optional>

class CQuilletFrameWnd;

namespace command_id {
inline constexpr int new_tag = 57600;
inline constexpr int new_in_group = 32772;
inline constexpr int open = 57601;
inline constexpr int duplicate = 32781;
inline constexpr int delete_tag = 32779;
inline constexpr int get_info = 32773;
inline constexpr int import_overhead_map = 32784;
inline constexpr int import_netmap_preview = 32785;
inline constexpr int build_plugin = 32775;
inline constexpr int dump_text = 32783;
inline constexpr int quit = 32778;
inline constexpr int rebuild_foundation_files = 32774;
}  // namespace command_id

// What a command's own state rule says of its menu item.
struct CommandState {
    bool enabled = false;
    std::optional<QString> text;  // replaces the item's text when given
};

struct FrameCommand {
    std::function<void(CQuilletFrameWnd&)> run;
    // Optional. When set it decides the item's enabling (and may set its text)
    // in place of the frame's own rule for the id.
    std::function<CommandState(CQuilletFrameWnd&)> state;
};

// The registered handler of a command, or null.
const FrameCommand* find_frame_command(int id);

// Registers a handler for its lifetime; the handler registered before it for
// the same id (if any) comes back when it ends.
class FrameCommandRegistration {
public:
    FrameCommandRegistration(int id, FrameCommand command);
    ~FrameCommandRegistration();
    FrameCommandRegistration(const FrameCommandRegistration&) = delete;
    FrameCommandRegistration& operator=(const FrameCommandRegistration&) = delete;

private:
    int id_;
    std::optional<FrameCommand> previous_;
};
