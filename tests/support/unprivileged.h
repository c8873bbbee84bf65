#pragma once

// Permission bits do not stop root, and CI runs as root: a check of what a
// read-only file or folder refuses runs in a child process as "nobody" when the
// tests run as root, and in-process otherwise. `folder` (the test's working
// folder) is handed to that user first, so that it can work there.

#include <filesystem>
#include <functional>

namespace test_support {

// True when `body` returned true; false when it returned false or its process
// failed. The body must report its own failures (to standard error): test
// assertions made in a child process do not reach the parent.
bool run_unprivileged(const std::filesystem::path& folder, const std::function<bool()>& body);

}  // namespace test_support
