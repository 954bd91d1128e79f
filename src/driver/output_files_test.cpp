#include "driver/output_files.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/held_file.h"
#include "platform/system.h"
#include "testing/files.h"

namespace tracciato {
namespace {

using testing::read_file;
using testing::write_file;

// A set of three new files and, in the directory, the earlier set they replace.
class OutputSet : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : kNames) write_file(dir_ / name, std::string("earlier ") + name);
  }

  void write_set() {
    std::vector<CompiledFile> files;
    for (const char* name : kNames) files.push_back({name, {kNewBytes}});
    write_all_or_nothing(dir_.path(), files);
  }

  std::vector<std::string> unchanged_files() const {
    std::vector<std::string> same;
    for (const char* name : kNames) {
      if (std::filesystem::is_regular_file(dir_ / name) &&
          read_file(dir_ / name) == std::string("earlier ") + name) {
        same.push_back(name);
      }
    }
    return same;
  }

  static constexpr const char* kNames[] = {"A_linea.dat", "A_1.sim", "A_1.dat"};
  static constexpr std::uint8_t kNew[] = {'n', 'e', 'w'};
  const std::span<const std::uint8_t> kNewBytes{kNew};
  testing::TempDir dir_;
};

TEST_F(OutputSet, ReplacesEveryFileAndLeavesNoTemporary) {
  write_set();
  for (const char* name : kNames) EXPECT_EQ(read_file(dir_ / name), "new") << name;
  EXPECT_EQ(testing::file_names(dir_.path()).size(), 3u);
}

TEST_F(OutputSet, RenameFailingMidwayPutsTheEarlierFilesBack) {
  std::filesystem::remove(dir_ / "A_1.dat");
  std::filesystem::create_directories(dir_ / "A_1.dat" / "in-the-way");
  try {
    write_set();
    FAIL() << "a directory in the way of the last file must stop the set";
  } catch (const FileError& error) {
    EXPECT_NE(std::string(error.what()).find("A_1.dat"), std::string::npos) << error.what();
  }
  EXPECT_EQ(unchanged_files(), (std::vector<std::string>{"A_linea.dat", "A_1.sim"}));
  EXPECT_EQ(testing::file_names(dir_.path()),
            (std::vector<std::string>{"A_1.dat", "A_1.sim", "A_linea.dat"}));
}

TEST_F(OutputSet, FileHeldOpenKeepsTheWholeEarlierSet) {
  if (!kBuiltForWindows) GTEST_SKIP() << "only Windows refuses to replace a file held open";
  const HeldFile held(dir_ / "A_1.sim");
  try {
    write_set();
    FAIL() << "a held file cannot be replaced";
  } catch (const FileError& error) {
    const std::string what = error.what();
    EXPECT_NE(what.find("A_1.sim"), std::string::npos) << what;
    EXPECT_NE(what.find("another program holds it open"), std::string::npos) << what;
  }
  EXPECT_EQ(unchanged_files().size(), 3u);
  EXPECT_EQ(testing::file_names(dir_.path()).size(), 3u);
}

TEST_F(OutputSet, FileLetGoOfWhileWaitingIsReplaced) {
  if (!kBuiltForWindows) GTEST_SKIP() << "only Windows refuses to replace a file held open";
  HeldFile held(dir_ / "A_1.dat");
  std::jthread release([&held] {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    held.release();
  });
  write_set();
  for (const char* name : kNames) EXPECT_EQ(read_file(dir_ / name), "new") << name;
}

}  // namespace
}  // namespace tracciato
