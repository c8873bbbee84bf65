#pragma once

// The references between tags: every described tag reference of every visible
// tag (inside element arrays and sub-records too), what uses a tag and what it
// uses, and the problems that would make a package incomplete. Works on copies
// of the tags' bytes, so it needs no open directory and treats the bytes as
// untrusted: only elements below their array's count are read, and a tag
// shorter than its record is reported, not walked.

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/tag_code.h"
#include "tag_files/tag_directory.h"

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

// Kept up to date tag by tag: a change of one tag walks again only that tag and
// the tags whose references or problems depend on it (those naming its code,
// and through a collection reference those whose sequences it counts).
class ReferenceIndex {
public:
    explicit ReferenceIndex(std::vector<TagEntry> tags);

    const std::vector<TagEntry>& tags() const { return tags_; }
    std::optional<std::size_t> find(tag_code group, tag_code subgroup) const;
    // In field order.
    std::vector<const Reference*> uses(std::size_t tag) const;
    // By using tag, then field.
    std::vector<const Reference*> used_by(std::size_t tag) const;
    // By tag, then as found.
    const std::vector<Problem>& problems() const;
    std::vector<const Problem*> problems_of(std::size_t tag) const;

    // The tag of the entry's group and subgroup is now the entry; a new one is
    // added. Indexes of other tags stay.
    void update(TagEntry entry);
    // The tag is gone; the last tag takes its index.
    void remove(tag_code group, tag_code subgroup);

private:
    struct Walk;
    using Key = std::pair<tag_code, tag_code>;

    void walk(std::size_t tag);
    void forget_walk(std::size_t tag);
    // The tags to walk again when the tag of this key changes or goes.
    std::set<std::size_t> dependents(tag_code group, tag_code subgroup) const;
    std::optional<int32_t> sequence_count(std::size_t collection);

    std::vector<TagEntry> tags_;
    std::map<Key, std::size_t> by_key_;
    std::map<tag_code, std::set<std::size_t>> with_subgroup_;  // tags of each code, any group
    std::vector<std::vector<Reference>> uses_;                // per tag
    std::vector<std::vector<Problem>> problems_of_;          // per tag
    std::map<tag_code, std::set<std::size_t>> naming_;        // per code: the tags with a reference to it
    std::map<std::size_t, std::optional<int32_t>> sequence_counts_;
    mutable std::optional<std::vector<Problem>> problems_;
};

// Every visible tag of the open tag directory; a tag that cannot be read is
// given with no data, which is then reported as a short record.
std::vector<TagEntry> visible_tags();
TagEntry visible_tag(tag_handle handle);

}  // namespace references
