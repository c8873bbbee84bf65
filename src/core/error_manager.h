#pragma once

// The one place failures are reported: keeps the first pending error, writes every
// report to the log "kelvo_log.txt" in the working folder and ends the program on
// the fatal kinds (out of memory, assertion failure, out of sync).

#include <cstdint>
#include <string_view>

// Error kinds; 3 to 7 are also the file layer's last-failure codes.
enum error_kind : int16_t {
    error_none = 0,
    error_unknown = 1,
    error_user_cancel = 2,
    error_file_read = 3,
    error_file_write = 4,
    error_file_open = 5,
    error_file_create = 6,
    error_file_general = 7,
    error_out_of_memory = 8,
    error_version_mismatch = 9,
    error_data_corrupted = 10,
    error_data_missing = 11,
    error_data_mismatch = 12,
    error_array_full = 13,
    error_fatal_recursion = 14,
    error_array_out_of_bounds = 15,
    error_assertion_failure = 16,
    error_out_of_sync = 17,
    error_warning = 18,
};
inline constexpr int error_kind_count = 19;

// "None", "Unknown", ... "Warning"; "Unknown" for a number outside the table.
const char* error_kind_name(int kind);
bool error_kind_is_fatal(int kind);

// The log, in the working folder.
inline constexpr const char* log_file_name = "kelvo_log.txt";

// Capacities of the formatted message and of the text kept since the last clear.
inline constexpr int error_message_capacity = 256;
inline constexpr int error_text_capacity = 1024;

// The system number the start-up code records (2 "Win95", 3 "Win98", 4 "WinNT",
// anything else no name); this platform is always 0.
const char* system_name(int system_number);

// Creates the log (emptying it), writes its header line and clears the state.
// Called again, it starts a new log in the present working folder.
// `log_path` is where the log goes: the working folder's log unless that folder
// cannot be written.
void initialize_error_manager(const char* program_name, const char* log_path = log_file_name);

// Reports an error. file may be nullptr (only the message is logged); format may be
// nullptr (the kind is only recorded). The first error stays pending until cleared;
// a fatal kind replaces it and ends the program through exit_program(kind).
void handle_error(int kind, const char* file, int line, const char* format, ...)
    __attribute__((format(printf, 4, 5)));

// Writes a progress note to the log without touching the error state.
void log_message(const char* file, int line, const char* format, ...)
    __attribute__((format(printf, 3, 4)));

// Presents the pending error: false when none is pending or a presentation is under
// way; ends the program when the kind is fatal; otherwise clears it and returns true.
bool present_pending_error();

void clear_error();

// Appends text to the log unchanged (it is not a format), after a time stamp if asked.
void log_write(const char* text, bool time_stamp);

// The pending kind (error_none when nothing is pending), its detail (-1 while
// pending) and the messages reported since the last clear, each ending in "\n".
int16_t pending_error_kind();
int16_t pending_error_detail();
std::string_view error_text();
