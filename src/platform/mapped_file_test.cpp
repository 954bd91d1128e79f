#include "platform/mapped_file.h"

#include <gtest/gtest.h>

#include "testing/files.h"

namespace tracciato {
namespace {

TEST(MappedFile, GivesTheFileBytesAndEmptyForAnEmptyFile) {
  test_support::TempDir dir;
  test_support::write_file(dir / "a", std::string("ab\0c\r\n", 6));
  test_support::write_file(dir / "empty", "");
  const auto mapped = MappedFile::open(dir / "a");
  ASSERT_TRUE(mapped);
  EXPECT_EQ(mapped->bytes(), std::string_view("ab\0c\r\n", 6));
  const auto empty = MappedFile::open(dir / "empty");
  ASSERT_TRUE(empty);
  EXPECT_TRUE(empty->bytes().empty());
}

TEST(MappedFile, IsNothingForAMissingFileOrADirectory) {
  test_support::TempDir dir;
  EXPECT_FALSE(MappedFile::open(dir / "absent"));
  EXPECT_FALSE(MappedFile::open(dir.path()));
}

TEST(MappedFile, HandsItsBytesOverWhenMoved) {
  test_support::TempDir dir;
  test_support::write_file(dir / "a", "bytes");
  auto mapped = MappedFile::open(dir / "a");
  ASSERT_TRUE(mapped);
  MappedFile moved = std::move(*mapped);
  EXPECT_EQ(moved.bytes(), "bytes");
  EXPECT_TRUE(mapped->bytes().empty());
}

}  // namespace
}  // namespace tracciato
