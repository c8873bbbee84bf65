#include "cli/verify_command.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "cli/command_error.h"
#include "cli/monolithic_check.h"
#include "cli/terminal_progress.h"
#include "core/file_layer.h"
#include "tag_files/monolithic_records.h"
#include "tag_files/tag_folders.h"

namespace cli {

namespace {

// The foundation files in their order, then the plugins folder by name.
std::vector<std::string> monolithic_files_of_working_folder() {
    std::vector<std::string> files;
    std::error_code error;
    for (const char* name : foundation_file_names) {
        const std::string path = std::string(tags_folder_name) + "/" + name;
        if (std::filesystem::is_regular_file(path, error)) files.push_back(path);
    }
    std::vector<std::string> plugins;
    for (std::filesystem::directory_iterator entry(plugins_folder_name, error), end; !error && entry != end;
         entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        if (entry->is_regular_file(error) && !is_temporary_file_name(name)) {
            plugins.push_back(std::string(plugins_folder_name) + "/" + name);
        }
    }
    std::ranges::sort(plugins);
    files.insert(files.end(), plugins.begin(), plugins.end());
    return files;
}

int run_verify(const ParsedCommand& command) {
    const std::vector<std::string> files =
        command.arguments.empty() ? monolithic_files_of_working_folder() : command.arguments;
    if (files.empty()) throw CommandError("there are no monolithic files in tags or plugins here");
    std::vector<std::unique_ptr<FileSource>> sources;
    std::vector<std::string> problems;
    std::uint64_t total = 0;
    for (const std::string& file : files) {
        try {
            sources.push_back(std::make_unique<FileSource>(file));
            total += sources.back()->size();
        } catch (const CommandError& error) {
            sources.push_back(nullptr);
            problems.push_back(error.what());
        }
    }
    TerminalProgress progress("verifying", total);
    std::uint64_t done_before = 0;
    for (std::size_t index = 0; index < files.size(); ++index) {
        if (!sources[index]) continue;
        const MonolithicInspection inspection =
            inspect_monolithic(*sources[index], [&](std::uint64_t done, std::uint64_t) {
                progress.update(done_before + done, files[index]);
            });
        for (const std::string& problem : inspection.problems) problems.push_back(files[index] + ": " + problem);
        done_before += sources[index]->size();
    }
    progress.finish();
    for (const std::string& problem : problems) std::printf("%s\n", problem.c_str());
    std::fprintf(stderr, "verified %zu file%s: %zu problem%s\n", files.size(), files.size() == 1 ? "" : "s",
                 problems.size(), problems.size() == 1 ? "" : "s");
    return problems.empty() ? 0 : exit_failure;
}

}  // namespace

constinit const CommandDefinition verify_command{
    .name = "verify",
    .brief = "check monolithic files and their checksums",
    .arguments = "[FILE...]",
    .summary = "Check monolithic files: the header, every tag header, and the data and header checksums, both "
               "recomputed. Without FILE, the foundation files and the plugins folder. Prints one line per "
               "problem and exits with 1 when there is any.",
    .options = {},
    .minimum_arguments = 0,
    .maximum_arguments = -1,
    .run = run_verify,
};

}  // namespace cli
