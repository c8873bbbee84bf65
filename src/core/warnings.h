#pragma once

// Assertion reports, warning boxes and the debug channel. The editor installs the
// hooks that show a warning box; without one, warnings go to standard error.

// The button a warning box answers with (it only has OK).
inline constexpr int warning_button_ok = 1;

using warning_hook = int (*)(const char* text);
using debug_output_hook = void (*)(const char* text);

// Installs the procedure that shows warnings; nullptr restores standard error.
void set_warning_hook(warning_hook hook);

// Formats the message and shows it; returns the button pressed.
int display_warning(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Reports through handle_error: error_assertion_failure (which ends the program)
// when fatal, error_warning otherwise; a missing reason reads "<no reason given>".
void assert_failure(const char* reason, const char* file, int line, bool fatal);

// Debugging notes nobody sees in a release: discarded unless a hook is installed.
void set_debug_output_hook(debug_output_hook hook);
int debug_output(const char* text);
