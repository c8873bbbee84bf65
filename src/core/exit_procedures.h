#pragma once

// Procedures run when a fatal error ends the program, the most recently
// registered first (the log, registered first, is closed last).

using exit_procedure = void (*)();

inline constexpr int maximum_exit_procedures = 16;

// Appends a procedure; false when all 16 places are taken (it is then not run).
bool register_exit_procedure(const char* file, int line, exit_procedure procedure);

// Runs the exit procedures once and ends the process with the code. Entered again
// from inside an exit procedure, it skips the procedures and ends at once.
[[noreturn]] void exit_program(int code);
