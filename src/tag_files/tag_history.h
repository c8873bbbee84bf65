#pragma once

// The tags one change touched, as they were before it and after it, so that the
// change can be taken back and made again exactly: the bytes, the header fields
// and the file name; a tag that was new goes away again, a tag of a monolithic
// file that an edit made local becomes the monolithic one again.

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/tag_code.h"
#include "tag_files/tag_header.h"

namespace tag_history {

using TagKey = std::pair<tag_code, tag_code>;  // group, subgroup

struct TagState {
    enum class Kind {
        absent,    // no visible tag
        packaged,  // the visible tag is in a monolithic file
        local,
    };
    Kind kind = Kind::absent;
    std::string name;
    tag_header file_header{};  // of a local tag, exactly as its file holds it
    std::vector<std::byte> data;

    bool operator==(const TagState& other) const;
};

// The visible tag's state; nothing when a local tag's data cannot be read.
std::optional<TagState> capture(TagKey key);
// Makes the tag so; false, with the reason, when it could not.
bool restore(TagKey key, const TagState& state, std::string& reason);

struct TagChange {
    TagKey key;
    TagState before;
    TagState after;
};

// One step: the tags in the order the change first touched them.
struct Step {
    std::vector<TagChange> changes;

    std::size_t bytes() const;
    // Each tag put back as before (Undo) or after (Redo); on a failure the tags
    // already put back are returned to where they were, and false comes back
    // with the reason.
    bool undo(std::string& reason) const;
    bool redo(std::string& reason) const;
};

// Takes the state of every tag the tag files are about to change, while it
// lives; finish() gives the step, without the tags that ended as they began.
class Recorder {
public:
    Recorder();
    ~Recorder();
    Recorder(const Recorder&) = delete;
    Recorder& operator=(const Recorder&) = delete;

    Step finish();
    // A tag whose state could not be read before its change: the step cannot be
    // taken back.
    bool complete() const { return complete_; }

private:
    void touched(TagKey key);

    std::vector<TagKey> order_;
    std::map<TagKey, TagState> before_;
    bool complete_ = true;
};

}  // namespace tag_history
