#include "textio/text_writer.h"

#include <gtest/gtest.h>

#include "base/file_error.h"
#include "testing/files.h"

namespace tracciato {
namespace {

TEST(TextWriter, WritesEachLineWithCrLfInTheCodePage) {
  test_support::TempDir dir;
  write_embedded_text(dir / "t.txt", "[generale]\n\nVelocità  \n");
  EXPECT_EQ(test_support::read_file(dir / "t.txt"), "[generale]\r\n\r\nVelocit\xE0  \r\n");
}

TEST(TextWriter, ReplacesAnEarlierFileInsteadOfAppending) {
  test_support::TempDir dir;
  test_support::write_file(dir / "t.txt", "an earlier, longer file\r\nwith two lines\r\n");
  write_embedded_text(dir / "t.txt", "x\n");
  EXPECT_EQ(test_support::read_file(dir / "t.txt"), "x\r\n");
}

TEST(TextWriter, StopsAtTheSentinelAndNeverWritesIt) {
  test_support::TempDir dir;
  write_embedded_text(dir / "t.txt", "a\nriferimento fine del file\nb\n");
  EXPECT_EQ(test_support::read_file(dir / "t.txt"), "a\r\n");
}

TEST(TextWriter, SlotsHoldAThousandLinesAtMost) {
  std::string text;
  for (int i = 0; i < 1000; ++i) text += "r\n";
  const auto slots = text_slots(text);
  EXPECT_EQ(slots.size(), 1001u);
  EXPECT_EQ(slots.back(), kEndSentinel);
  EXPECT_THROW(text_slots(text + "r\n"), std::length_error);
}

TEST(TextWriter, UnwritableFileIsAFileError) {
  test_support::TempDir dir;
  EXPECT_THROW(write_embedded_text(dir / "absent" / "t.txt", "x\n"), std::runtime_error);
}

TEST(TextWriter, ADirectoryInThePlaceOfTheFileStays) {
  test_support::TempDir dir;
  std::filesystem::create_directory(dir / "t.txt");
  try {
    write_embedded_text(dir / "t.txt", "x\n");
    ADD_FAILURE() << "an empty directory was replaced";
  } catch (const FileError& error) {
    EXPECT_NE(std::string(error.what()).find("a directory stands there"), std::string::npos)
        << error.what();
  }
  EXPECT_TRUE(std::filesystem::is_directory(dir / "t.txt"));
}

// The link is replaced by the text: what it led to is neither created nor written.
TEST(TextWriter, ALinkAtTheNameIsReplacedNotFollowed) {
  test_support::TempDir dir;
  test_support::TempDir elsewhere;
  std::error_code ec;
  std::filesystem::create_symlink(elsewhere / "created", dir / "t.txt", ec);
  if (ec) GTEST_SKIP() << "this system does not let the test make symbolic links: " << ec.message();
  write_embedded_text(dir / "t.txt", "x\n");
  EXPECT_FALSE(std::filesystem::is_symlink(dir / "t.txt"));
  EXPECT_EQ(test_support::read_file(dir / "t.txt"), "x\r\n");
  EXPECT_TRUE(test_support::file_names(elsewhere.path()).empty());
}

}  // namespace
}  // namespace tracciato
