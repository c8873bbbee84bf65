#pragma once

// The references between tags: every described tag reference of every visible
// tag (inside element arrays and sub-records too), what uses a tag and what it
// uses, and the problems that would make a package incomplete. Works on copies
// of the tags' bytes, so it needs no open directory and treats the bytes as
// untrusted: only elements below their array's count are read, and a tag
// shorter than its record is reported, not walked.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/tag_code.h"

namespace references {

struct TagEntry {
    tag_code group = 0;
    tag_code subgroup = 0;
    std::string name;
    std::vector<std::byte> data;  // file order, as stored
};

struct Reference {
    std::size_t from = 0;       // index of the using tag
    std::string field;          // "attacks[0].projectile"
    tag_code group = 0;         // the field's group
    tag_code subgroup = 0;
    std::optional<std::size_t> to;  // the visible tag it names, if any
};

enum class ProblemKind { missing_tag, sequence_out_of_range, count_beyond_capacity, short_record, damaged_data };

struct Problem {
    std::size_t tag = 0;
    ProblemKind kind = ProblemKind::missing_tag;
    std::string field;    // empty for a short record or damaged data
    std::string message;  // for people, without the tag's name
};

class ReferenceIndex {
public:
    explicit ReferenceIndex(std::vector<TagEntry> tags);

    const std::vector<TagEntry>& tags() const { return tags_; }
    std::optional<std::size_t> find(tag_code group, tag_code subgroup) const;
    // In field order.
    std::vector<const Reference*> uses(std::size_t tag) const;
    std::vector<const Reference*> used_by(std::size_t tag) const;
    const std::vector<Problem>& problems() const { return problems_; }

private:
    struct Walk;

    std::vector<TagEntry> tags_;
    std::vector<std::size_t> order_;  // tag indexes sorted by (group, subgroup)
    std::vector<Reference> references_;
    std::vector<std::size_t> first_use_;  // per tag: its first reference
    std::vector<std::vector<std::size_t>> users_;
    std::vector<Problem> problems_;
};

// Every visible tag of the open tag directory; a tag that cannot be read is
// given with no data, which is then reported as a short record.
std::vector<TagEntry> visible_tags();

}  // namespace references
