#include "platform/replacing_file.h"

#include <gtest/gtest.h>

#include <string>

#include "base/file_error.h"
#include "testing/files.h"

namespace tracciato {
namespace {

namespace fs = std::filesystem;

void write_text(ReplacingFile& file, const std::string& text) {
  file.write({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

bool writable(const fs::path& file) {
  return (fs::status(file).permissions() & fs::perms::owner_write) != fs::perms::none;
}

TEST(ReplacingFile, EarlierFileStaysWholeUntilTheNewOneIsPlaced) {
  test_support::TempDir dir;
  test_support::write_file(dir / "page.html", "earlier");
  {
    ReplacingFile file(dir / "page.html");
    write_text(file, "new");
    file.finish();
    EXPECT_EQ(test_support::read_file(dir / "page.html"), "earlier");
    file.place();
  }
  EXPECT_EQ(test_support::read_file(dir / "page.html"), "new");
  EXPECT_EQ(test_support::file_names(dir.path()), std::vector<std::string>{"page.html"});
}

TEST(ReplacingFile, FileGivenUpLeavesTheEarlierOneAndNoTemporary) {
  test_support::TempDir dir;
  test_support::write_file(dir / "page.html", "earlier");
  {
    ReplacingFile file(dir / "page.html");
    write_text(file, "half a pa");
  }
  EXPECT_EQ(test_support::read_file(dir / "page.html"), "earlier");
  EXPECT_EQ(test_support::file_names(dir.path()), std::vector<std::string>{"page.html"});
}

TEST(ReplacingFile, TemporariesAreNamedAnewEachTime) {
  test_support::TempDir dir;
  const ReplacingFile a(dir / "x.dat");
  const ReplacingFile b(dir / "x.dat");
  const auto names = test_support::file_names(dir.path());
  ASSERT_EQ(names.size(), 2u);
  EXPECT_NE(names[0], names[1]);
}

TEST(ReplacingFile, ReadOnlyFileReplacedStaysReadOnly) {
  test_support::TempDir dir;
  test_support::write_file(dir / "x.sim", "earlier");
  fs::permissions(dir / "x.sim",
                  fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  ReplacingFile file(dir / "x.sim");
  EXPECT_TRUE(file.earlier().read_only);
  write_text(file, "new");
  file.commit();
  EXPECT_EQ(test_support::read_file(dir / "x.sim"), "new");
  EXPECT_FALSE(writable(dir / "x.sim"));
}

TEST(ReplacingFile, WhatIsNoFileStaysAndIsNamed) {
  test_support::TempDir dir;
  fs::create_directory(dir / "x.sim");
  try {
    ReplacingFile file(dir / "x.sim");
    FAIL() << "a directory must not be replaced";
  } catch (const FileError& error) {
    EXPECT_NE(std::string(error.what()).find("x.sim: a directory stands there"), std::string::npos)
        << error.what();
  }
  EXPECT_TRUE(fs::is_directory(dir / "x.sim"));
  EXPECT_EQ(test_support::file_names(dir.path()), std::vector<std::string>{"x.sim"});
}

// A link planted at the name, leading out of the folder: the new file takes the link's
// place, and nothing is written where it led.
TEST(ReplacingFile, LinkAtTheNameIsReplacedNeverFollowed) {
  test_support::TempDir dir;
  test_support::TempDir elsewhere;
  fs::create_directory(dir / "out");
  test_support::write_file(elsewhere / "victim", "not yours");
  std::error_code ec;
  fs::create_symlink(elsewhere / "victim", dir / "out" / "x.sim", ec);
  fs::create_symlink(elsewhere / "absent", dir / "out" / "y.sim", ec);
  if (ec) GTEST_SKIP() << "this system does not let the test make symbolic links: " << ec.message();
  for (const char* name : {"x.sim", "y.sim"}) {
    ReplacingFile file(dir / "out" / name);
    write_text(file, "new");
    file.commit();
    EXPECT_FALSE(fs::is_symlink(fs::symlink_status(dir / "out" / name))) << name;
    EXPECT_EQ(test_support::read_file(dir / "out" / name), "new") << name;
  }
  EXPECT_EQ(test_support::read_file(elsewhere / "victim"), "not yours");
  EXPECT_EQ(test_support::file_names(elsewhere.path()), std::vector<std::string>{"victim"});
}

}  // namespace
}  // namespace tracciato
