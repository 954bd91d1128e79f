#include "model/error_codes.h"

#include <gtest/gtest.h>

#include "testing/error_fixtures.h"

namespace tracciato {
namespace {

TEST(ErrorCodes, AreListedOnceInIncreasingOrderEachWithASummary) {
  std::int32_t previous = 0;
  for (const ErrorCodeInfo& info : error_codes()) {
    EXPECT_GT(info.code, previous);
    EXPECT_NE(std::string(info.summary), "");
    previous = info.code;
  }
}

TEST(ErrorCodes, EveryCodeACompileEndsWithIsExplained) {
  for (const test_support::ErrorFixture& f : test_support::error_fixtures()) {
    EXPECT_NE(error_summary(f.code), nullptr) << f.name << " ends with " << f.code;
  }
  EXPECT_EQ(error_summary(0), nullptr);
  EXPECT_EQ(error_summary(14), nullptr);
}

}  // namespace
}  // namespace tracciato
