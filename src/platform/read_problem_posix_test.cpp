#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/read_problem.h"
#include "testing/files.h"

namespace tracciato {
namespace {

TEST(ReadProblem, TellsAFileWithoutReadPermission) {
  if (::geteuid() == 0) GTEST_SKIP() << "root reads a file whatever its permissions";
  testing::TempDir dir;
  testing::write_file(dir / "locked", "bytes");
  ASSERT_EQ(::chmod((dir / "locked").c_str(), 0), 0);
  EXPECT_EQ(read_problem(dir / "locked"), "no permission to read it");
}

TEST(ReadProblem, TellsAPipeWithoutOpeningIt) {
  testing::TempDir dir;
  ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
  EXPECT_EQ(read_problem(dir / "pipe"), "it is not a regular file");
}

}  // namespace
}  // namespace tracciato
