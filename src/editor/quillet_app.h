#pragma once

#include <memory>

class CQuilletFrameWnd;

// Starts the editor: refuses to run beside another program of the family,
// brings up the core services and the tag file system, and creates the one
// main window. The working folder is the process's current folder.
class CQuilletApp {
public:
    CQuilletApp();
    ~CQuilletApp();
    CQuilletApp(const CQuilletApp&) = delete;
    CQuilletApp& operator=(const CQuilletApp&) = delete;

    // False when the editor must not run (the user has been told why).
    bool InitInstance();
    CQuilletFrameWnd* main_window() const { return main_window_.get(); }

private:
    std::unique_ptr<CQuilletFrameWnd> main_window_;
};

// The program name the log's header line carries.
inline constexpr const char* program_name = "WinQuillet";
// The main window's caption, and the application name boxes are titled with.
inline constexpr const char* application_title = "Tessary";
