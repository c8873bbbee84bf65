#pragma once

// Bounds the address space the test process may take on from here, so that an
// allocation sized by a damaged count fails at once instead of taking the
// machine's memory. Without effect under AddressSanitizer, whose shadow memory
// needs the whole address space.

#include <cstddef>
#include <sys/resource.h>

namespace test_support {

class AddressSpaceLimit {
public:
    explicit AddressSpaceLimit(std::size_t more_bytes);
    ~AddressSpaceLimit();
    AddressSpaceLimit(const AddressSpaceLimit&) = delete;
    AddressSpaceLimit& operator=(const AddressSpaceLimit&) = delete;

private:
    rlimit before_{};
    bool set_ = false;
};

}  // namespace test_support
