#pragma once

// SDL's "disk" driver writes every byte the device plays to a file, so what a
// sound sounds like can be compared sample for sample. While an object lives,
// audio started anew plays into a file of its own folder.

#include <QTemporaryDir>

#include <cstdint>
#include <filesystem>
#include <vector>

namespace editor_test {

class DiskAudio {
public:
    DiskAudio();

    // Waits (a few seconds at most) until the device has written `samples`
    // samples and a good deal of silence after them since the last call, then
    // gives what it played between the silence before and after the sound.
    std::vector<std::int16_t> sounded(std::size_t samples);

private:
    QTemporaryDir folder_;
    std::filesystem::path file_;
    // Bytes of the file that an earlier call has given.
    std::uintmax_t given_ = 0;
};

// `samples` without the silence at either end.
std::vector<std::int16_t> without_silence_around(const std::vector<std::int16_t>& samples);

}  // namespace editor_test
