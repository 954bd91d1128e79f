// What a command does with an input that is no regular file: it must not wait on a FIFO
// that no program writes, and it says why it cannot read it.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "testing/files.h"

namespace tracciato {
namespace {

using test_support::run_tracciato;

const std::string kExampleLine = std::string(TRACCIATO_EXAMPLES) + "/Esempio_linea.txt";
const std::string kExampleTrain = std::string(TRACCIATO_EXAMPLES) + "/Esempio_100-.txt";

struct UnreadableInputCase {
  const char* name;
  std::vector<test_support::Arg> args;
  int status;
  std::string says;
};

class UnreadableInput : public ::testing::TestWithParam<UnreadableInputCase> {};

TEST_P(UnreadableInput, IsRefusedWithItsReasonWithoutWaiting) {
  const UnreadableInputCase& c = GetParam();
  test_support::TempDir dir;
  ASSERT_EQ(::mkfifo((dir / "Fifo_linea.txt").c_str(), 0600), 0);
  ASSERT_EQ(::mkfifo((dir / "Fifo_1.sim").c_str(), 0600), 0);
  std::filesystem::create_symlink("Loop_2.sim", dir / "Loop_1.sim");
  std::filesystem::create_symlink("Loop_1.sim", dir / "Loop_2.sim");
  std::filesystem::create_symlink("Loop_linea.txt", dir / "Loop_linea.txt");
  const auto run = run_tracciato(c.args, dir.path());
  EXPECT_EQ(run.status, c.status) << run.err;
  EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
}

INSTANTIATE_TEST_SUITE_P(
    Commands, UnreadableInput,
    ::testing::Values(
        UnreadableInputCase{"DumpOfAFifo",
                            {"dump", "Fifo_1.sim"},
                            3,
                            "tracciato: cannot read Fifo_1.sim: it is a FIFO\n"},
        UnreadableInputCase{"DumpOfASymbolicLinkLoop",
                            {"dump", "Loop_1.sim"},
                            3,
                            "tracciato: cannot read Loop_1.sim: it is a symbolic link loop\n"},
        UnreadableInputCase{"CheckOfAFifo",
                            {"check", "Fifo_linea.txt", kExampleTrain, "--train", "100"},
                            3,
                            "tracciato: cannot read Fifo_linea.txt: it is a FIFO\n"},
        UnreadableInputCase{"CompileOfAFifo",
                            {"compile", "Fifo_linea.txt", kExampleTrain, "--train", "100"},
                            1,
                            "Fifo_linea.txt: error 25: the line description cannot be read: it "
                            "is a FIFO\n"},
        UnreadableInputCase{"CompileOfASymbolicLinkLoop",
                            {"compile", "Loop_linea.txt", kExampleTrain, "--train", "100"},
                            1,
                            "Loop_linea.txt: error 25: the line description cannot be read: it "
                            "is a symbolic link loop\n"},
        UnreadableInputCase{"ReportOfAFifo",
                            {"report", "Fifo_linea.txt", kExampleTrain, "--train", "100"},
                            1,
                            "Fifo_linea.txt: error 25: the line description cannot be read: it "
                            "is a FIFO\n"}),
    [](const auto& info) { return std::string(info.param.name); });

struct UnreadableStandardInputCase {
  const char* name;
  const char* redirect;  // what the shell makes of standard input
  std::string says;
};

class UnreadableStandardInput : public ::testing::TestWithParam<UnreadableStandardInputCase> {};

TEST_P(UnreadableStandardInput, IsRefusedWithItsReason) {
  const UnreadableStandardInputCase& c = GetParam();
  test_support::TempDir dir;
  const std::string command =
      std::string(R"(exec "$0" check - "$1" --base Esempio --train 100 )") + c.redirect;
  const auto run = test_support::run_program(
      "/bin/sh", {"-c", command, TRACCIATO_EXE, kExampleTrain}, dir.path());
  EXPECT_EQ(run.status, 3) << run.err;
  EXPECT_EQ(run.err, "tracciato: cannot read standard input: " + c.says + "\n");
}

INSTANTIATE_TEST_SUITE_P(
    Commands, UnreadableStandardInput,
    ::testing::Values(UnreadableStandardInputCase{"Closed", "<&-", "it is closed"},
                      UnreadableStandardInputCase{"ADirectory", "< .", "it is a directory"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tracciato
