// Golden-image checks. A mismatch, or a missing golden, fails and writes this run's picture as
// NAME-ACTUAL.png beside the golden. With NUVIK_UPDATE_GOLDENS=1 in the environment such a check
// rewrites the golden from the run instead, and still fails: a picture nobody has looked at
// never turns a run green.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "win32/platform/Framebuffer.h"
#include "win32/platform/Png.h"

namespace nuvik::testing {

// `name` is relative to tests/golden/, e.g. "draw/banner.png".
::testing::AssertionResult MatchesGolden(const win32::png::RgbImage& image,
                                         const std::string& name);
::testing::AssertionResult MatchesGolden(const win32::PixelBuffer& buffer, const std::string& name);

// The part of an image inside [left, right) x [top, bottom).
win32::png::RgbImage Crop(const win32::png::RgbImage& image, int left, int top, int right,
                          int bottom);

}  // namespace nuvik::testing
