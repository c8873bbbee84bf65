#pragma once

#include <filesystem>
#include <string>

namespace test_support {

// A fresh temporary folder that becomes the process's working folder for the
// life of the object; the previous working folder is restored and the temporary
// one removed afterwards. The tag file system works relative to the working
// folder, so every test that touches tags runs inside one of these.
class WorkingFolder {
public:
    WorkingFolder();
    ~WorkingFolder();
    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

    // Writes bytes to a file below the folder, creating parent folders.
    void write_file(const std::string& relative_path, const std::string& bytes) const;
    std::string read_file(const std::string& relative_path) const;

private:
    std::filesystem::path previous_;
    std::filesystem::path path_;
};

}  // namespace test_support
