#include "Xvfb.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

// Xlib's macros (None, Status, Bool) must not reach code that includes GoogleTest.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xfixes.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace nuvik::testing {

namespace {
constexpr int kStartTimeoutMs = 10000;
}  // namespace

bool XvfbInstalled() {
    return std::system("command -v Xvfb >/dev/null 2>&1") == 0;
}

bool XdotoolInstalled() {
    return std::system("command -v xdotool >/dev/null 2>&1") == 0;
}

Xvfb::Xvfb(const std::string& screen, const std::vector<std::string>& extraArguments) {
    if (!XvfbInstalled()) {
        error_ = "Xvfb is not installed";
        return;
    }
    int fds[2];
    if (pipe(fds) != 0) {
        error_ = "pipe failed";
        return;
    }
    pid_ = fork();
    if (pid_ < 0) {
        error_ = "fork failed";
        close(fds[0]);
        close(fds[1]);
        return;
    }
    if (pid_ == 0) {
        close(fds[0]);
        // A test that dies must not leave its server behind.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        int devnull = open("/dev/null", O_WRONLY);
        if (devnull >= 0) {
            dup2(devnull, STDOUT_FILENO);
            dup2(devnull, STDERR_FILENO);
        }
        std::string fd = std::to_string(fds[1]);
        // -displayfd: the server picks a free display and writes its number to the pipe.
        std::vector<std::string> arguments{"Xvfb", "-displayfd", fd,    "-screen", "0",
                                           screen, "-nolisten",  "tcp", "-noreset"};
        arguments.insert(arguments.end(), extraArguments.begin(), extraArguments.end());
        std::vector<char*> argv;
        for (std::string& argument : arguments)
            argv.push_back(argument.data());
        argv.push_back(nullptr);
        execvp("Xvfb", argv.data());
        _exit(127);
    }
    close(fds[1]);
    std::string number;
    pollfd waiting{fds[0], POLLIN, 0};
    while (poll(&waiting, 1, kStartTimeoutMs) > 0) {
        char c = 0;
        if (read(fds[0], &c, 1) != 1 || c == '\n')
            break;
        number += c;
    }
    close(fds[0]);
    if (number.empty()) {
        error_ = "Xvfb did not start";
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
        return;
    }
    display_ = ":" + number;
}

Xvfb::~Xvfb() {
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
}

int Xvfb::Run(const std::string& command) const {
    int status = std::system(("DISPLAY=" + display_ + " " + command).c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::vector<COLORREF> Xvfb::Grab(int x, int y, int width, int height) const {
    std::vector<COLORREF> pixels;
    ::Display* display = XOpenDisplay(display_.c_str());
    if (!display)
        return pixels;
    XImage* image =
        XGetImage(display, DefaultRootWindow(display), x, y, static_cast<unsigned>(width),
                  static_cast<unsigned>(height), AllPlanes, ZPixmap);
    if (image) {
        auto channel = [](unsigned long pixel, unsigned long mask) {
            if (mask == 0)
                return 0;
            int shift = 0;
            while (!((mask >> shift) & 1))
                ++shift;
            return static_cast<int>(((pixel & mask) >> shift) * 255 / (mask >> shift));
        };
        pixels.reserve(static_cast<std::size_t>(width) * height);
        for (int row = 0; row < height; ++row) {
            for (int column = 0; column < width; ++column) {
                unsigned long pixel = XGetPixel(image, column, row);
                pixels.push_back(RGB(channel(pixel, image->red_mask),
                                     channel(pixel, image->green_mask),
                                     channel(pixel, image->blue_mask)));
            }
        }
        XDestroyImage(image);
    }
    XCloseDisplay(display);
    return pixels;
}

bool Xvfb::GrabCursor(Cursor* cursor) const {
    ::Display* display = XOpenDisplay(display_.c_str());
    if (!display)
        return false;
    XFixesCursorImage* image = XFixesGetCursorImage(display);
    if (image) {
        cursor->width = image->width;
        cursor->height = image->height;
        cursor->hotX = image->xhot;
        cursor->hotY = image->yhot;
        cursor->argb.assign(image->pixels, image->pixels + image->width * image->height);
        XFree(image);
    }
    XCloseDisplay(display);
    return image != nullptr;
}

bool Xvfb::SendCloseRequest(unsigned long window) const {
    ::Display* display = XOpenDisplay(display_.c_str());
    if (!display)
        return false;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    Status sent = XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
    XCloseDisplay(display);
    return sent != 0;
}

}  // namespace nuvik::testing
