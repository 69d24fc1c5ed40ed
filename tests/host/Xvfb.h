// A private X server for tests of real windows: started on a free display number, stopped with
// the object. Tests that cannot have one report it with NUVIK_DEPENDENCY_MISSING
// (support/Dependencies.h).
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

#include "win32/types.h"

namespace nuvik::testing {

class Xvfb {
  public:
    // `screen` as Xvfb takes it: "640x480x16"; `extraArguments` go to the server as they are
    // ("-extension", "RANDR" turns display mode changes off).
    explicit Xvfb(const std::string& screen, const std::vector<std::string>& extraArguments = {});
    ~Xvfb();
    Xvfb(const Xvfb&) = delete;
    Xvfb& operator=(const Xvfb&) = delete;

    bool Running() const { return !display_.empty(); }
    const std::string& Display() const { return display_; }  // ":42"
    // Why it is not running.
    const std::string& Error() const { return error_; }

    // Runs a shell command with DISPLAY set to this server; its exit status.
    int Run(const std::string& command) const;

    // The root window's pixels in [0, width) x [0, height), row after row; empty on failure.
    std::vector<COLORREF> Grab(int width, int height) const { return Grab(0, 0, width, height); }
    // The pixels of the rectangle at (x, y), row after row.
    std::vector<COLORREF> Grab(int x, int y, int width, int height) const;
    // The pointer's current picture as the X server shows it (0xAARRGGBB, premultiplied).
    struct Cursor {
        int width = 0;
        int height = 0;
        int hotX = 0;
        int hotY = 0;
        std::vector<std::uint32_t> argb;
    };
    bool GrabCursor(Cursor* cursor) const;
    // Asks a window to close as a window manager's close button does (WM_DELETE_WINDOW).
    bool SendCloseRequest(unsigned long window) const;

  private:
    pid_t pid_ = -1;
    std::string display_;
    std::string error_;
};

// Whether an Xvfb binary can be found on the PATH.
bool XvfbInstalled();
// Whether xdotool, which the tests drive real windows with, can be found on the PATH.
bool XdotoolInstalled();

}  // namespace nuvik::testing
