#pragma once

#include <QString>

#include <memory>

class CQuilletFrameWnd;

// Starts the editor in the process's current folder, the working folder:
// refuses to run beside another program of the family, brings up the core
// services and the tag file system, and creates the one main window. A folder
// that cannot be written opens read-only. The folder can be switched while the
// editor runs: the work in the first ends as at Quit, then starts in the second.
class CQuilletApp {
public:
    CQuilletApp();
    ~CQuilletApp();
    CQuilletApp(const CQuilletApp&) = delete;
    CQuilletApp& operator=(const CQuilletApp&) = delete;

    // False when the editor must not run (the user has been told why).
    bool InitInstance();
    CQuilletFrameWnd* main_window() const { return main_window_.get(); }
    bool read_only() const { return read_only_; }

    // Ends the work in the current folder, changes into `folder` and starts
    // there; false (said) when the editor cannot run there, and then it runs in
    // the first folder again.
    bool switch_working_folder(const QString& folder);

private:
    void end_work();
    QString read_only_log_path() const;

    std::unique_ptr<CQuilletFrameWnd> main_window_;
    bool read_only_ = false;
};

// The program name the log's header line carries.
inline constexpr const char* program_name = "WinQuillet";
// The main window's caption, and the application name boxes are titled with.
inline constexpr const char* application_title = "Tessary";
