// The screen written as a picture, and the captures folder that F12 and F9 write into.
#pragma once

#include <string>

namespace nuvik::host {

// The screen (640 x 480, as shown) as PNG; false with `error` when it cannot be written.
bool WriteScreenPng(const std::string& path, std::string* error);

// Where captures go by default: the user's pictures folder (XDG) under Nuvik/, or ./captures
// when there is none.
std::string DefaultCapturesDir();
// A new file name in `directory`: nuvik-YYYYMMDD-HHMMSS-N.EXTENSION with the first N free.
std::string NextCapturePath(const std::string& directory, const std::string& extension = "png");
// The same in `capturesDir` (the default folder when empty), made if it is missing.
std::string NewCapturePath(const std::string& capturesDir, const std::string& extension);

}  // namespace nuvik::host
