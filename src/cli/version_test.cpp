#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "testing/files.h"

namespace tracciato {
namespace {

#ifdef TRACCIATO_FROM_CHECKOUT
const std::regex kCommit("commit [0-9a-f]{7,40}(-dirty)?, ");
#else
const std::regex kCommit("");
#endif

// The project version from CMake's project() line, the commit when the build came from a
// git checkout, then the embedded scenario; on standard output, with nothing else.
TEST(Version, ShowsTheProjectVersionTheCommitAndTheScenario) {
  test_support::TempDir dir;
  const auto run = test_support::run_tracciato({"--version"}, dir.path());
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  const std::string version = TRACCIATO_PROJECT_VERSION;
  ASSERT_TRUE(std::regex_match(version, std::regex(R"(\d+\.\d+\.\d+)"))) << version;
  const std::string prefix = "tracciato " + version + " (";
  const std::string suffix = "scenario BrenzanoC_OstuviaC, train 4417)\n";
  ASSERT_TRUE(run.out.starts_with(prefix)) << run.out;
  ASSERT_TRUE(run.out.ends_with(suffix)) << run.out;
  const std::string commit =
      run.out.substr(prefix.size(), run.out.size() - prefix.size() - suffix.size());
  EXPECT_TRUE(std::regex_match(commit, kCommit)) << run.out;
}

}  // namespace
}  // namespace tracciato
