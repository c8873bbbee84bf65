#include "editor/frame_commands.h"

#include <map>

namespace {

std::map<int, FrameCommand>& registered_commands() {
    static std::map<int, FrameCommand> commands;
    return commands;
}

}  // namespace

const FrameCommand* find_frame_command(int id) {
    const auto& commands = registered_commands();
    const auto found = commands.find(id);
    return found == commands.end() ? nullptr : &found->second;
}

FrameCommandRegistration::FrameCommandRegistration(int id, FrameCommand command) : id_(id) {
    auto& commands = registered_commands();
    if (const auto found = commands.find(id); found != commands.end()) previous_ = std::move(found->second);
    commands[id] = std::move(command);
}

FrameCommandRegistration::~FrameCommandRegistration() {
    auto& commands = registered_commands();
    if (previous_) {
        commands[id_] = std::move(*previous_);
    } else {
        commands.erase(id_);
    }
}
