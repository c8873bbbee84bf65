#include "support/unprivileged.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

namespace test_support {

namespace {

constexpr uid_t nobody = 65534;

bool hand_over(const std::filesystem::path& folder) {
    std::error_code error;
    if (chown(folder.c_str(), nobody, nobody) != 0) return false;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder, error)) {
        if (lchown(entry.path().c_str(), nobody, nobody) != 0) return false;
    }
    return !error;
}

}  // namespace

bool run_unprivileged(const std::filesystem::path& folder, const std::function<bool()>& body) {
    if (geteuid() != 0) return body();
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child < 0) return false;
    if (child == 0) {
        const bool dropped = hand_over(folder) && setgid(nobody) == 0 && setuid(nobody) == 0;
        if (!dropped) std::fprintf(stderr, "could not become nobody in %s\n", folder.c_str());
        const bool passed = dropped && body();
        std::fflush(nullptr);
        _exit(passed ? 0 : 1);
    }
    int status = 0;
    if (waitpid(child, &status, 0) != child) return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace test_support
