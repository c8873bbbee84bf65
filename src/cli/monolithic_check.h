#pragma once

// Checks a monolithic file (foundation file, patch or plugin) from its bytes,
// as verify and diff need: the header, every tag header, the data checksum and
// the header checksum, both recomputed. The bytes are untrusted: every count,
// offset and size is bounded before it is used, and every problem found becomes
// one line of text instead of stopping the check.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "tag_files/monolithic_records.h"
#include "tag_files/tag_header.h"

namespace cli {

class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual std::uint64_t size() const = 0;
    // Exactly buffer.size() bytes at position, or false.
    virtual bool read(std::uint64_t position, std::span<std::byte> buffer) const = 0;
};

class MemorySource final : public ByteSource {
public:
    explicit MemorySource(std::span<const std::byte> bytes) : bytes_(bytes) {}
    std::uint64_t size() const override { return bytes_.size(); }
    bool read(std::uint64_t position, std::span<std::byte> buffer) const override;

private:
    std::span<const std::byte> bytes_;
};

class FileSource final : public ByteSource {
public:
    // Throws CommandError when the file cannot be opened.
    explicit FileSource(const std::string& path);
    ~FileSource() override;
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;
    std::uint64_t size() const override { return size_; }
    bool read(std::uint64_t position, std::span<std::byte> buffer) const override;

private:
    int descriptor_;
    std::uint64_t size_;
};

struct InspectedTag {
    tag_header header;             // host order
    bool valid = false;            // passed every check of a tag header
    std::uint32_t data_checksum = 0;  // register over this tag's data alone, when valid
};

struct MonolithicInspection {
    bool has_header = false;
    monolithic_header header{};    // host order, as stored
    std::vector<InspectedTag> tags;
    std::vector<std::string> problems;
};

// Progress reports bytes of tag data checked so far and their total.
using InspectionProgress = std::function<void(std::uint64_t done, std::uint64_t total)>;

MonolithicInspection inspect_monolithic(const ByteSource& source, const InspectionProgress& progress = {});

// Whether bytes begin like a monolithic file (128 bytes or more, "dng2" at 124).
bool looks_monolithic(const ByteSource& source);

}  // namespace cli
