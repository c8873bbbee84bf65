#include "support/memory_limit.h"

#include <fstream>
#include <string>

namespace test_support {
#if !defined(__SANITIZE_ADDRESS__)
namespace {

// The process's present address space, from /proc; 0 when it cannot be read.
std::size_t present_address_space() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("VmSize:")) return std::stoull(line.substr(7)) * 1024;
    }
    return 0;
}

}  // namespace
#endif

AddressSpaceLimit::AddressSpaceLimit(std::size_t more_bytes) {
#if defined(__SANITIZE_ADDRESS__)
    (void)more_bytes;
#else
    const std::size_t present = present_address_space();
    if (present == 0 || getrlimit(RLIMIT_AS, &before_) != 0) return;
    rlimit bounded = before_;
    bounded.rlim_cur = present + more_bytes;
    if (before_.rlim_cur != RLIM_INFINITY && before_.rlim_cur < bounded.rlim_cur) return;
    set_ = setrlimit(RLIMIT_AS, &bounded) == 0;
#endif
}

AddressSpaceLimit::~AddressSpaceLimit() {
    if (set_) setrlimit(RLIMIT_AS, &before_);
}

}  // namespace test_support
