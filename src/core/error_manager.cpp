#include "core/error_manager.h"

#include <array>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "core/exit_procedures.h"
#include "core/warnings.h"

namespace {

constexpr std::array<const char*, error_kind_count> kind_names = {
    "None",
    "Unknown",
    "User Quit or Cancel",
    "File system Read",
    "File system Write",
    "File system Open",
    "File system Create",
    "File system General",
    "Out of Memory",
    "Data Version Mismatch",
    "Data Corrupted",
    "Data Missing",
    "Data Mismatch",
    "Array Full",
    "Fatal Recursion",
    "Array Out of Bounds",
    "Assertion Failure",
    "Out of Sync",
    "Warning",
};

// This platform has no version number of its own to report.
constexpr int this_system_number = 0;

struct error_state {
    int16_t kind;
    int16_t detail;
    int32_t reporting;
    int16_t text_length;
    char text[error_text_capacity];
    std::FILE* log;
};

error_state state{};
bool log_close_registered = false;

// A log line holds the message and its newline plus the kind's name, the source
// file and the line number.
constexpr std::size_t log_line_capacity = error_message_capacity + 1024;

void close_log() {
    if (state.log) {
        std::fclose(state.log);
        state.log = nullptr;
    }
}

// vsnprintf cuts a longer message at the buffer's end, always ending it with a NUL.
void format_message(char (&message)[error_message_capacity], const char* format, va_list arguments) {
    std::vsnprintf(message, sizeof message, format, arguments);
}

}  // namespace

const char* error_kind_name(int kind) {
    return kind >= 0 && kind < error_kind_count ? kind_names[static_cast<std::size_t>(kind)]
                                                : kind_names[error_unknown];
}

bool error_kind_is_fatal(int kind) {
    return kind == error_out_of_memory || kind == error_assertion_failure || kind == error_out_of_sync;
}

const char* system_name(int system_number) {
    switch (system_number) {
        case 2: return "Win95";
        case 3: return "Win98";
        case 4: return "WinNT";
        default: return "";
    }
}

void initialize_error_manager(const char* program_name, const char* log_path) {
    close_log();
    state.log = std::fopen(log_path, "w");
    if (!log_close_registered) {
        log_close_registered = register_exit_procedure(__FILE__, __LINE__, close_log);
    }
    char header[log_line_capacity];
    std::snprintf(header, sizeof header, "%s running under %s ----------------------------------------------\n",
                  program_name ? program_name : "", system_name(this_system_number));
    log_write(header, true);
    state.reporting = false;
    clear_error();
}

void handle_error(int kind, const char* file, int line, const char* format, ...) {
    const bool fatal = error_kind_is_fatal(kind);
    if (state.kind == error_none || fatal) {
        state.kind = static_cast<int16_t>(kind);
        state.detail = -1;
    }
    if (format) {
        char message[error_message_capacity];
        va_list arguments;
        va_start(arguments, format);
        format_message(message, format, arguments);
        va_end(arguments);

        char message_line[error_message_capacity + 1];
        const int message_length = std::snprintf(message_line, sizeof message_line, "%s\n", message);

        char log_line[log_line_capacity];
        if (!file) {
            std::snprintf(log_line, sizeof log_line, "%s", message_line);
        } else if (state.kind == error_assertion_failure) {
            std::snprintf(log_line, sizeof log_line, "%s in %s, line #%d: %s\n", fatal ? "halt" : "pause", file,
                          line, message_line);
        } else {
            std::snprintf(log_line, sizeof log_line, "Error: %s in %s, line #%d: %s\n",
                          error_kind_name(state.kind), file, line, message_line);
        }
        log_write(log_line, false);

        if (state.text_length + message_length < error_text_capacity) {
            std::memcpy(state.text + state.text_length, message_line, static_cast<std::size_t>(message_length) + 1);
            state.text_length = static_cast<int16_t>(state.text_length + message_length);
        }
    }
    if (fatal && !present_pending_error()) {
        // Reported from inside a presentation (an exit procedure failed): the
        // program must still end rather than return from a fatal report.
        exit_program(kind);
    }
}

void log_message(const char* file, int line, const char* format, ...) {
    char message[error_message_capacity];
    va_list arguments;
    va_start(arguments, format);
    format_message(message, format, arguments);
    va_end(arguments);

    char log_line[log_line_capacity];
    if (file) {
        std::snprintf(log_line, sizeof log_line, "%s, line #%d: %s\n", file, line, message);
    } else {
        std::snprintf(log_line, sizeof log_line, "%s\n", message);
    }
    log_write(log_line, false);
}

bool present_pending_error() {
    if (state.kind == error_none) return false;
    if (state.reporting) {
        debug_output("no recursive calls to handle_error()");
        return false;
    }
    state.reporting = true;
    if (error_kind_is_fatal(state.kind)) exit_program(state.kind);
    clear_error();
    state.reporting = false;
    return true;
}

void clear_error() {
    state.kind = error_none;
    state.detail = 0;
    state.text_length = 0;
    state.text[0] = '\0';
}

void log_write(const char* text, bool time_stamp) {
    if (!state.log || !text) return;
    if (time_stamp) {
        const std::time_t now = std::time(nullptr);
        std::tm local{};
        localtime_r(&now, &local);
        std::fprintf(state.log, "%02d.%02d.%02d %02d:%02d:%02d  ", local.tm_mon + 1, local.tm_mday, local.tm_year,
                     local.tm_hour, local.tm_min, local.tm_sec);
    }
    std::fputs(text, state.log);
    std::fflush(state.log);
}

int16_t pending_error_kind() { return state.kind; }
int16_t pending_error_detail() { return state.detail; }
std::string_view error_text() { return {state.text, static_cast<std::size_t>(state.text_length)}; }
