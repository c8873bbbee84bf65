#pragma once

// Whole files in and out for commands; "-" stands for standard input or output.
// Failures throw CommandError naming the file.

#include <cstddef>
#include <span>
#include <string>
#include <vector>

namespace cli {

// Files larger than this are refused rather than read into memory.
inline constexpr std::size_t maximum_input_size = std::size_t{256} << 20;

std::vector<std::byte> read_input(const std::string& path);

// A file written a piece at a time, beside itself, and renamed over at commit,
// so it is either the old or the whole new content; "-" is standard output.
// A file never committed is removed.
class OutputFile {
public:
    explicit OutputFile(const std::string& path);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    void write(std::span<const std::byte> bytes);
    void commit();

private:
    std::string path_;
    std::string temporary_;  // empty for standard output
    int descriptor_ = -1;
};

// A named file is written beside itself and renamed over, so it is either
// the old or the new content.
void write_output(const std::string& path, std::span<const std::byte> bytes);
void write_output(const std::string& path, const std::string& text);
bool stdout_is_terminal();

// The folder given with -C, into which the tool changed: messages about a file
// name the user gave then say where it was looked for.
void set_working_folder_given(const std::string& folder);

}  // namespace cli
