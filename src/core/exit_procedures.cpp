#include "core/exit_procedures.h"

#include <array>
#include <cstdint>
#include <cstdlib>

#include "core/warnings.h"

namespace {

struct exit_entry {
    const char* file;
    int16_t line;
    exit_procedure procedure;
};

std::array<exit_entry, maximum_exit_procedures> exit_table{};
int exit_count = 0;
bool exiting = false;

}  // namespace

bool register_exit_procedure(const char* file, int line, exit_procedure procedure) {
    if (exit_count >= maximum_exit_procedures || !procedure) return false;
    exit_table[static_cast<std::size_t>(exit_count++)] = {file, static_cast<int16_t>(line), procedure};
    return true;
}

void exit_program(int code) {
    if (exiting) {
        debug_output("exit() is not reentrant-> an atexit function must have asserted.  Getting out.");
    } else {
        exiting = true;
        for (int index = exit_count - 1; index >= 0; --index) {
            exit_table[static_cast<std::size_t>(index)].procedure();
        }
    }
    std::exit(code);
}
