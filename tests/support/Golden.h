// Golden-image checks: a missing golden is written and the check fails (so a new golden is
// always looked at before it is committed); a mismatch writes NAME-ACTUAL.png beside it.
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
