#pragma once

// Bytes that copies share until one of them is changed: a sound's sample data
// is handed to playback and to the waveform's thread, and duplicated, without
// copying megabytes on the user-interface thread. A holder that changes its
// bytes while others share them gets a copy of its own first, so shared bytes
// never change under a reader on another thread.

#include <cstddef>
#include <memory>
#include <vector>

class shared_bytes {
public:
    using value_type = std::byte;
    using const_iterator = std::vector<std::byte>::const_iterator;

    shared_bytes() = default;
    shared_bytes(std::vector<std::byte> bytes);  // NOLINT: stands for the vector it holds

    std::size_t size() const { return bytes().size(); }
    bool empty() const { return bytes().empty(); }
    const std::byte* data() const { return bytes().data(); }
    const_iterator begin() const { return bytes().begin(); }
    const_iterator end() const { return bytes().end(); }
    const std::byte& operator[](std::size_t index) const { return bytes()[index]; }
    operator const std::vector<std::byte>&() const { return bytes(); }  // NOLINT: read as the vector
    // The bytes for a reader that may outlive this holder.
    std::shared_ptr<const std::vector<std::byte>> share() const;

    std::byte* data() { return own().data(); }
    std::byte& operator[](std::size_t index) { return own()[index]; }
    template <typename... Arguments>
    void assign(Arguments&&... arguments) {
        own().assign(std::forward<Arguments>(arguments)...);
    }
    void push_back(std::byte value) { own().push_back(value); }
    void pop_back() { own().pop_back(); }
    void resize(std::size_t size) { own().resize(size); }

    friend bool operator==(const shared_bytes& left, const shared_bytes& right) {
        return left.bytes() == right.bytes();
    }
    friend bool operator==(const shared_bytes& left, const std::vector<std::byte>& right) {
        return left.bytes() == right;
    }

private:
    const std::vector<std::byte>& bytes() const;
    std::vector<std::byte>& own();

    std::shared_ptr<std::vector<std::byte>> bytes_;
};
