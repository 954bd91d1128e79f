#include "platform/folder.h"

#include <gtest/gtest.h>

#include "testing/files.h"

namespace tracciato {
namespace {

namespace fs = std::filesystem;

TEST(Folder, ListsEveryEntryByNameWithItsKindAndTime) {
  test_support::TempDir dir;
  test_support::write_file(dir / "b.txt", "b");
  test_support::write_file(dir / utf8_path("città.txt"), "c");
  fs::create_directory(dir / "a");
  const auto earlier = fs::file_time_type::clock::now() - std::chrono::hours(24);
  fs::last_write_time(dir / "b.txt", earlier);
  const std::vector<FolderEntry> entries = list_folder(dir.path());
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].name, "a");
  EXPECT_FALSE(entries[0].regular_file);
  EXPECT_EQ(entries[1].name, "b.txt");
  EXPECT_TRUE(entries[1].regular_file);
  EXPECT_EQ(entries[1].modified, fs::last_write_time(dir / "b.txt"));
  EXPECT_EQ(entries[2].name, "città.txt");
  EXPECT_LT(entries[1].modified, entries[2].modified);
}

TEST(Folder, IsEmptyForAFolderThatCannotBeListed) {
  test_support::TempDir dir;
  test_support::write_file(dir / "plain", "x");
  EXPECT_TRUE(list_folder(dir / "absent").empty());
  EXPECT_TRUE(list_folder(dir / "plain").empty());
}

}  // namespace
}  // namespace tracciato
