// Standard output that cannot take what a command prints: a full disk or a closed output.
#include <gtest/gtest.h>

#include <string>

#include "testing/files.h"

namespace tracciato {
namespace {

struct Output {
  const char* name;
  const char* command;  // run by the shell, its output sent where the case says
};

void PrintTo(const Output& o, std::ostream* os) {
  *os << o.name;
}

class UnwritableStandardOutput : public ::testing::TestWithParam<Output> {};

TEST_P(UnwritableStandardOutput, IsStatusThreeWithTheReason) {
  test_support::TempDir dir;
  const std::string line = std::string("exec ") + TRACCIATO_EXE + " " + GetParam().command;
  const test_support::ProgramRun run = test_support::run_program("sh", {"-c", line}, dir.path());
  EXPECT_EQ(run.status, 3) << run.err;
  EXPECT_NE(run.err.find("tracciato: cannot write standard output: "), std::string::npos)
      << run.err;
}

INSTANTIATE_TEST_SUITE_P(Commands, UnwritableStandardOutput,
                         ::testing::Values(Output{"ExplainToAFullDisk", "explain 25 > /dev/full"},
                                           Output{"HelpToAFullDisk", "help > /dev/full"},
                                           Output{"ExplainToAClosedOutput", "explain 25 >&-"},
                                           Output{"VersionToAFullDisk", "--version > /dev/full"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(UnwritableStandardOutput, AWritableOneIsStatusZero) {
  test_support::TempDir dir;
  const std::string line = std::string("exec ") + TRACCIATO_EXE + " explain 25 > /dev/null";
  EXPECT_EQ(test_support::run_program("sh", {"-c", line}, dir.path()).status, 0);
}

}  // namespace
}  // namespace tracciato
