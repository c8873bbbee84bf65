#pragma once

// The sound form's Add without its dialog: a 16-bit PCM WAVE file of one or two
// channels, compressed into blocks and appended to a sound as a new permutation
// named after the file. On any refusal the sound is left as it was.

#include <cstdint>
#include <string>
#include <string_view>

#include "media/sound_tag.h"
#include "media/wave_reader.h"

// The open-file dialog of the command.
inline constexpr const char* sound_import_dialog_title = "Select a sound file to import";
inline constexpr const char* sound_import_dialog_filter = "Wave files (*.wav)";
inline constexpr const char* sound_import_dialog_pattern = "*.wav";

inline constexpr const char* sound_import_error_caption = "Error";

// What the command tells the user: nothing on success; otherwise an error box
// with message and caption, or, when warning is set, the program's warning box.
struct sound_import_outcome {
    bool succeeded = false;
    std::string message;
    std::string caption;
    bool warning = false;
};

// The file name after the last folder separator, up to its first '.', cut to 25
// characters: "sounds/door.creak.wav" gives "door".
std::string permutation_name_from_path(std::string_view path);

// Appends a permutation made of the contents of the WAVE file read from path
// (which names it and the messages); the samples are handed on, not copied.
sound_import_outcome append_wave_permutation(sound_tag& sound, wave_file file, const std::string& path);

// Reads the WAVE file at path and appends it.
sound_import_outcome import_sound_permutation_file(sound_tag& sound, const std::string& path);
