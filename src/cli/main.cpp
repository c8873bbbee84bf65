// tessary-cli: the editor's operations on a working folder, without a window.

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "cli/arguments.h"
#include "cli/build_commands.h"
#include "cli/command_error.h"
#include "cli/demo_command.h"
#include "cli/diff_command.h"
#include "cli/font_commands.h"
#include "cli/list_commands.h"
#include "cli/reference_commands.h"
#include "cli/bitmap_commands.h"
#include "cli/session.h"
#include "cli/sound_commands.h"
#include "cli/tag_commands.h"
#include "cli/text_commands.h"
#include "cli/transfer_commands.h"
#include "cli/verify_command.h"
#include "tessary_version.h"

int main(int argc, char** argv) {
    using namespace cli;
    const CommandDefinition commands[] = {
        list_command,   info_command,         new_command,     export_command,
        import_command, delete_command,       diff_command,    build_plugin_command,
        rebuild_foundation_command, verify_command, demo_command, import_font_command, dump_text_command,
        strings_command, import_sound_command, export_sound_command, export_bitmap_command, export_sequence_command, refs_command, check_command,
    };
    try {
        const std::vector<std::string> arguments(argv + 1, argv + argc);
        const CommandLine line = parse_command_line(arguments, commands);
        if (line.version) {
            std::printf("tessary-cli %s\n", tessary_version);
            return 0;
        }
        if (line.help) {
            std::fputs(line.help->c_str(), stdout);
            return 0;
        }
        enter_working_folder(line.working_folder);
        return line.command->definition->run(*line.command);
    } catch (const CommandError& error) {
        std::fprintf(stderr, "tessary-cli: %s\n", error.what());
        return error.exit_status();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "tessary-cli: %s\n", error.what());
        return exit_failure;
    }
}
