// The dialog tour run as a user runs it: headless on four emulated handhelds, each dialog's picture
// compared with its reference. The pictures are the ones to look at when a dialog's look changes.
#include <gtest/gtest.h>

#include <sstream>

#include "support/golden_image.h"
#include "support/run_tool.h"
#include "support/temp_folder.h"

namespace {

TEST(DialogTour, PhotographsEveryDialogOnPortraitLandscapeSquareAndLargeScreens) {
  const char* stops[] = {"ir-setup", "ir-setup-help", "port-warning", "flip-screen", "about"};
  for (const std::string device : {"qvga-portrait", "qvga-landscape", "qvga-square", "vga-portrait"}) {
    const zqtest::temp_folder folder;
    const zqtest::tool_run run = zqtest::run_program(ZQTOUR_PATH, {folder.path().string()}, {"ZEQUON_DEVICE=" + device});
    ASSERT_EQ(run.status, 0) << device << ": " << run.err;
    std::ostringstream listed;
    for (const char* stop : stops) {
      const std::filesystem::path picture = folder.path() / (std::string(stop) + ".png");
      listed << picture.string() << "\n";
      EXPECT_TRUE(zqtest::matches_golden(zqtest::read_png(picture), "tour_" + device + "_" + stop));
    }
    EXPECT_EQ(run.out, listed.str());
  }
}

TEST(DialogTour, RefusesAMissingFolder) {
  const zqtest::tool_run run = zqtest::run_program(ZQTOUR_PATH, {"/nonexistent/folder"});
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("/nonexistent/folder is not a folder"), std::string::npos) << run.err;
}

}  // namespace
