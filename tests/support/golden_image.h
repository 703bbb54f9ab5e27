// Reference images of drawing tests: tests/golden/NAME.png, compared pixel for pixel. Running the
// tests with ZQ_UPDATE_GOLDEN=1 writes the images instead of comparing them.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/pixel_surface.h"

namespace zqtest {

// A PNG file as a surface; an empty one when it is missing or unreadable.
platform::pixel_surface read_png(const std::filesystem::path& path);

// On a mismatch the image drawn is left in the temporary folder for a look, and the failure names
// it, the first differing pixel and the number of differing pixels.
::testing::AssertionResult matches_golden(const platform::pixel_surface& image, const std::string& name);

}  // namespace zqtest
