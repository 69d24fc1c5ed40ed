#include "host/ScreenCapture.h"

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "win32/platform/Framebuffer.h"
#include "win32/platform/Png.h"

namespace nuvik::host {

namespace {

// XDG_PICTURES_DIR from the environment or from ~/.config/user-dirs.dirs, with $HOME expanded.
std::string PicturesDir() {
    if (const char* set = std::getenv("XDG_PICTURES_DIR"); set && *set)
        return set;
    const char* home = std::getenv("HOME");
    if (!home || !*home)
        return "";
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    std::string config = configHome && *configHome ? configHome : std::string(home) + "/.config";
    std::ifstream dirs(config + "/user-dirs.dirs");
    std::string line;
    const std::string key = "XDG_PICTURES_DIR=\"";
    while (std::getline(dirs, line)) {
        if (line.compare(0, key.size(), key) != 0 || line.back() != '"')
            continue;
        std::string value = line.substr(key.size(), line.size() - key.size() - 1);
        if (value.compare(0, 5, "$HOME") == 0)
            value = home + value.substr(5);
        return value;
    }
    return "";
}

}  // namespace

std::string DefaultCapturesDir() {
    std::string pictures = PicturesDir();
    std::error_code error;
    if (!pictures.empty() && std::filesystem::is_directory(pictures, error))
        return pictures + "/Nuvik";
    return "captures";
}

std::string NextCapturePath(const std::string& directory, const std::string& extension) {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    for (int counter = 1;; ++counter) {
        std::string path =
            directory + "/nuvik-" + stamp + "-" + std::to_string(counter) + "." + extension;
        std::error_code error;
        if (!std::filesystem::exists(path, error))
            return path;
    }
}

std::string NewCapturePath(const std::string& capturesDir, const std::string& extension) {
    std::string directory = capturesDir.empty() ? DefaultCapturesDir() : capturesDir;
    std::error_code made;
    std::filesystem::create_directories(directory, made);
    return NextCapturePath(directory, extension);
}

bool WriteScreenPng(const std::string& path, std::string* error) {
    return win32::png::Write(win32::png::ToRgb(win32::Framebuffer::Instance().Buffer()), path,
                             error);
}

}  // namespace nuvik::host
