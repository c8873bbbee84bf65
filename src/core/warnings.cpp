#include "core/warnings.h"

#include <cstdarg>
#include <cstdio>

#include "core/error_manager.h"

namespace {

warning_hook installed_warning_hook = nullptr;
debug_output_hook installed_debug_output_hook = nullptr;

}  // namespace

void set_warning_hook(warning_hook hook) { installed_warning_hook = hook; }

int display_warning(const char* format, ...) {
    char message[1024];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(message, sizeof message, format, arguments);
    va_end(arguments);
    if (installed_warning_hook) return installed_warning_hook(message);
    std::fprintf(stderr, "%s\n", message);
    return warning_button_ok;
}

void assert_failure(const char* reason, const char* file, int line, bool fatal) {
    handle_error(fatal ? error_assertion_failure : error_warning, file, line, "%s",
                 reason ? reason : "<no reason given>");
}

void set_debug_output_hook(debug_output_hook hook) { installed_debug_output_hook = hook; }

int debug_output(const char* text) {
    if (installed_debug_output_hook) installed_debug_output_hook(text);
    return 0;
}
