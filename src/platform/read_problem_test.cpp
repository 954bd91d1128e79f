#include "platform/read_problem.h"

#include <gtest/gtest.h>

#include "testing/files.h"

namespace tracciato {
namespace {

TEST(ReadProblem, TellsAMissingFileAndADirectoryApart) {
  test_support::TempDir dir;
  EXPECT_EQ(read_problem(dir / "absent"), "it does not exist");
  EXPECT_EQ(read_problem(dir / "absent" / "below"), "it does not exist");
  EXPECT_EQ(read_problem(dir.path()), "it is a directory");
}

TEST(ReadProblem, IsNothingForAFileThatReads) {
  test_support::TempDir dir;
  test_support::write_file(dir / "a", "bytes");
  test_support::write_file(dir / "empty", "");
  EXPECT_EQ(read_problem(dir / "a"), std::nullopt);
  EXPECT_EQ(read_problem(dir / "empty"), std::nullopt);
}

}  // namespace
}  // namespace tracciato
