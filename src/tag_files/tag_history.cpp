#include "tag_files/tag_history.h"

#include <cstring>

#include "core/tag_code.h"
#include "core/text.h"
#include "tag_files/local_tags.h"
#include "tag_files/tag_change_listener.h"
#include "tag_files/tag_data.h"
#include "tag_files/tag_directory.h"
#include "tag_files/tag_editing.h"
#include "tag_files/tag_header.h"

namespace tag_history {

namespace {

std::string tag_text(TagKey key, const TagState& state) {
    return "'" + state.name + "' (" + printable_code_text(key.first) + ")";
}

bool apply(const std::vector<TagChange>& changes, bool forward, std::string& reason) {
    std::size_t done = 0;
    for (; done < changes.size(); ++done) {
        const TagChange& change = forward ? changes[done] : changes[changes.size() - 1 - done];
        if (!restore(change.key, forward ? change.after : change.before, reason)) break;
    }
    if (done == changes.size()) return true;
    std::string ignored;
    while (done-- > 0) {
        const TagChange& change = forward ? changes[done] : changes[changes.size() - 1 - done];
        restore(change.key, forward ? change.before : change.after, ignored);
    }
    return false;
}

}  // namespace

std::optional<TagState> capture(TagKey key) {
    TagState state;
    const tag_handle handle = tag_find(key.first, key.second);
    if (handle == NONE) return state;
    state.name = tag_get_name(handle);
    if (tag_get_file_type(handle) != tag_file_type_local) {
        state.kind = TagState::Kind::packaged;
        return state;
    }
    state.kind = TagState::Kind::local;
    const std::int32_t size = tag_get_size(handle);
    if (size < 0 || !local_tag_open(handle) || !local_tag_read_file_header(state.file_header)) return std::nullopt;
    state.data.resize(static_cast<std::size_t>(size));
    if (size > 0 && !tag_file_read(handle, 0, size, state.data.data())) return std::nullopt;
    tag_file_close_local();
    return state;
}

bool TagState::operator==(const TagState& other) const {
    return kind == other.kind && name == other.name && data == other.data &&
           std::memcmp(&file_header, &other.file_header, sizeof file_header) == 0;
}

bool restore(TagKey key, const TagState& state, std::string& reason) {
    const tag_handle handle = tag_find(key.first, key.second);
    const bool local = handle != NONE && tag_get_file_type(handle) == tag_file_type_local;
    switch (state.kind) {
        case TagState::Kind::absent:
        case TagState::Kind::packaged:
            if (local && !tag_file_delete(handle)) {
                reason = "the local tag " + tag_text(key, state) + " could not be deleted";
                return false;
            }
            if (state.kind == TagState::Kind::absent && tag_find(key.first, key.second) != NONE) {
                reason = "the tag " + tag_text(key, state) + " is held by a monolithic file";
                return false;
            }
            return true;
        case TagState::Kind::local: break;
    }
    const bool written =
        tag_file_restore(state.file_header, state.data.data(), static_cast<std::int32_t>(state.data.size())) != NONE;
    tag_file_close_local();
    if (!written) reason = "the tag " + tag_text(key, state) + " could not be written";
    return written;
}

std::size_t Step::bytes() const {
    std::size_t total = 0;
    for (const TagChange& change : changes) total += change.before.data.size() + change.after.data.size();
    return total;
}

bool Step::undo(std::string& reason) const { return apply(changes, false, reason); }

bool Step::redo(std::string& reason) const { return apply(changes, true, reason); }

Recorder::Recorder() {
    tag_set_change_listener([this](tag_code group, tag_code subgroup) { touched({group, subgroup}); });
}

Recorder::~Recorder() { tag_set_change_listener({}); }

void Recorder::touched(TagKey key) {
    if (before_.contains(key)) return;
    std::optional<TagState> state = capture(key);
    if (!state) {
        complete_ = false;
        state.emplace();
    }
    order_.push_back(key);
    before_.emplace(key, std::move(*state));
}

Step Recorder::finish() {
    tag_set_change_listener({});
    Step step;
    for (const TagKey& key : order_) {
        std::optional<TagState> after = capture(key);
        if (!after) {
            complete_ = false;
            continue;
        }
        TagState& before = before_[key];
        if (*after == before) continue;
        step.changes.push_back({key, std::move(before), std::move(*after)});
    }
    return step;
}

}  // namespace tag_history
