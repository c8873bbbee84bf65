#include "media/shared_bytes.h"

namespace {

const std::vector<std::byte> no_bytes;

}  // namespace

shared_bytes::shared_bytes(std::vector<std::byte> bytes)
    : bytes_(std::make_shared<std::vector<std::byte>>(std::move(bytes))) {}

const std::vector<std::byte>& shared_bytes::bytes() const { return bytes_ ? *bytes_ : no_bytes; }

std::shared_ptr<const std::vector<std::byte>> shared_bytes::share() const {
    return bytes_ ? bytes_ : std::make_shared<const std::vector<std::byte>>();
}

std::vector<std::byte>& shared_bytes::own() {
    if (!bytes_) {
        bytes_ = std::make_shared<std::vector<std::byte>>();
    } else if (bytes_.use_count() > 1) {
        bytes_ = std::make_shared<std::vector<std::byte>>(*bytes_);
    }
    return *bytes_;
}
