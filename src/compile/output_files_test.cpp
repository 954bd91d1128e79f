#include "compile/output_files.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>

#include "compile/output_set_fixture.h"
#include "platform/folder_lock.h"
#include "platform/process.h"
#include "testing/files.h"

namespace tracciato {
namespace {

using test_support::read_file;

TEST_F(OutputSet, ReplacesEveryFileAndLeavesNoTemporary) {
  write_set();
  for (const char* name : kNames) EXPECT_EQ(read_file(dir_ / name), "new") << name;
  EXPECT_EQ(test_support::file_names(dir_.path()).size(), 3u);
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
  EXPECT_EQ(test_support::file_names(dir_.path()),
            (std::vector<std::string>{"A_1.dat", "A_1.sim", "A_linea.dat"}));
}

TEST_F(OutputSet, ReadOnlyFileStopsTheSetBeforeAnythingIsWritten) {
  namespace fs = std::filesystem;
  fs::permissions(dir_ / "A_1.dat", fs::perms::all, fs::perm_options::remove);
  fs::permissions(dir_ / "A_1.dat", fs::perms::owner_read, fs::perm_options::add);
  try {
    write_set();
    FAIL() << "a read-only file must stop the set";
  } catch (const FileError& error) {
    EXPECT_NE(std::string(error.what()).find("A_1.dat: it is read-only; --force replaces it"),
              std::string::npos)
        << error.what();
  }
  EXPECT_EQ(unchanged_files().size(), 3u);
  EXPECT_EQ(test_support::file_names(dir_.path()).size(), 3u);
}

TEST_F(OutputSet, ReadOnlyFileIsReplacedWhenAskedAndStaysReadOnly) {
  namespace fs = std::filesystem;
  fs::permissions(dir_ / "A_1.sim", fs::perms::all, fs::perm_options::remove);
  fs::permissions(dir_ / "A_1.sim", fs::perms::owner_read, fs::perm_options::add);
  write_set(true);
  for (const char* name : kNames) EXPECT_EQ(read_file(dir_ / name), "new") << name;
  EXPECT_EQ(fs::status(dir_ / "A_1.sim").permissions() & fs::perms::owner_write, fs::perms::none);
}

// Links planted where the files go, and where an earlier version of the program put its
// temporary files: none is followed, and nothing is written outside the folder.
TEST_F(OutputSet, PlantedLinksAreNeverFollowed) {
  namespace fs = std::filesystem;
  test_support::TempDir elsewhere;
  const std::string pid = std::to_string(current_process_id());
  std::error_code ec;
  fs::remove(dir_ / "A_1.sim");
  fs::create_symlink(elsewhere / "sim", dir_ / "A_1.sim", ec);
  for (const char* name : kNames) {
    if (!ec) fs::create_symlink(elsewhere / name, dir_ / (".tracciato-" + pid + "-" + name), ec);
  }
  if (ec) GTEST_SKIP() << "this system does not let the test make symbolic links: " << ec.message();
  write_set();
  for (const char* name : kNames) {
    EXPECT_EQ(read_file(dir_ / name), "new") << name;
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(dir_ / name))) << name;
  }
  EXPECT_TRUE(test_support::file_names(elsewhere.path()).empty());
}

// The lock of another run, held here from the test's own process.
TEST_F(OutputSet, SetWaitsForTheFoldersLockThenNamesItsHolder) {
  const FolderLock other(dir_.path(), std::chrono::milliseconds(0));
  try {
    write_set();
    FAIL() << "a folder another run writes into must not be written";
  } catch (const FileError& error) {
    const std::string what = error.what();
    EXPECT_NE(what.find("process " + std::to_string(current_process_id()) + " ("),
              std::string::npos)
        << what;
    EXPECT_NE(what.find("is writing files there, and still was after 5 s"), std::string::npos)
        << what;
  }
  EXPECT_EQ(unchanged_files().size(), 3u);
}

TEST_F(OutputSet, SetIsWrittenOnceTheOtherRunLetsGoAndTheLockFileGoesWithIt) {
  auto other = std::make_unique<FolderLock>(dir_.path(), std::chrono::milliseconds(0));
  std::jthread release([&other] {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    other.reset();
  });
  write_set();
  for (const char* name : kNames) EXPECT_EQ(read_file(dir_ / name), "new") << name;
  EXPECT_EQ(test_support::file_names(dir_.path()),
            (std::vector<std::string>{"A_1.dat", "A_1.sim", "A_linea.dat"}));
}

}  // namespace
}  // namespace tracciato
