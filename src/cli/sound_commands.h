#pragma once

// import-sound and export-sound: WAVE files into a sound tag's permutations as
// the sound form's Add does, and a permutation back out as 16-bit PCM; and the
// permutation table that info shows for a sound.

#include <string>

#include "cli/arguments.h"
#include "cli/json.h"
#include "cli/session.h"
#include "media/sound_tag.h"
#include "tag_files/tag_directory.h"

namespace cli {

extern const CommandDefinition import_sound_command;
extern const CommandDefinition export_sound_command;

// The permutations of a visible sound tag, one line each under a heading row;
// throws CommandError when the tag is no readable sound.
std::string sound_permutation_table(tag_handle handle);
Json sound_permutations_json(tag_handle handle);

// Writes the sound into its tag, and its header as the form's save does (user
// data from the record, the group's version); throws CommandError with the
// session's messages on failure.
void store_sound(tag_handle& handle, const sound_tag& sound, Session& session);

}  // namespace cli
