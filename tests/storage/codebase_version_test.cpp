#include "storage/codebase_version.h"

#include <gtest/gtest.h>

namespace {

using xman::four_cc;

struct conversion_case {
  four_cc type;
  std::uint16_t version;
  zq::result_t result;
  four_cc new_type;
  std::uint16_t new_version;
};

TEST(CodebaseVersionConversion, FollowsTheKindRules) {
  const conversion_case cases[] = {
      {four_cc("Rdat"), 100, 0, four_cc("Rda1"), 330},  // older kind: current type and version
      {four_cc("Rdat"), 400, 0, four_cc("Rda1"), 330},  // its version is not trusted either
      {four_cc("Rda1"), 0, 0, four_cc("Rda1"), 330},
      {four_cc("Rda1"), 329, 0, four_cc("Rda1"), 330},
      {four_cc("Rda1"), 330, 0, four_cc("Rda1"), 330},
      {four_cc("Rda1"), 331, 0, four_cc("Rda1"), 331},  // never lowered
      {four_cc("temp"), 1, 1043, four_cc("temp"), 1},
      {four_cc("dPrf"), 0, 1043, four_cc("dPrf"), 0},
  };
  for (const conversion_case& c : cases) {
    four_cc type = c.type;
    std::uint16_t version = c.version;
    EXPECT_EQ(xman::convert_codebase_header(type, version), c.result) << c.type.view() << c.version;
    EXPECT_EQ(type, c.new_type) << c.type.view() << c.version;
    EXPECT_EQ(version, c.new_version) << c.type.view() << c.version;
  }
}

TEST(CodebaseVersionConversion, TooNewOnlyForTheCurrentKind) {
  EXPECT_FALSE(xman::is_codebase_too_new(four_cc("Rda1"), 330));
  EXPECT_TRUE(xman::is_codebase_too_new(four_cc("Rda1"), 331));
  EXPECT_FALSE(xman::is_codebase_too_new(four_cc("Rdat"), 500));
  EXPECT_FALSE(xman::is_codebase_too_new(four_cc("temp"), 500));
}

}  // namespace
