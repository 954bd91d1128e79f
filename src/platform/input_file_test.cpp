#include "platform/input_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "testing/files.h"

namespace tracciato {
namespace {

std::string text_of(const std::vector<std::uint8_t>& bytes) {
  return {bytes.begin(), bytes.end()};
}

TEST(InputFile, ReadsEveryByteOfAFileLongerThanOneRead) {
  test_support::TempDir dir;
  std::string bytes(3 * 1024 * 1024 + 7, '\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 31 % 251);
  test_support::write_file(dir / "long", bytes);
  std::string why;
  auto input = InputFile::open(dir / "long", why);
  ASSERT_TRUE(input) << why;
  EXPECT_EQ(input->size(), bytes.size());
  EXPECT_EQ(text_of(input->read_all()), bytes);
}

TEST(InputFile, ReadsAnEmptyFileAsNoBytes) {
  test_support::TempDir dir;
  test_support::write_file(dir / "empty", "");
  std::string why;
  auto input = InputFile::open(dir / "empty", why);
  ASSERT_TRUE(input) << why;
  EXPECT_TRUE(input->read_all().empty());
}

TEST(InputFile, FileShortenedAfterItWasOpenedIsAnErrorWhereItEnds) {
  test_support::TempDir dir;
  test_support::write_file(dir / "shrinking", std::string(std::size_t{3} * 1024 * 1024, 'x'));
  std::string why;
  auto input = InputFile::open(dir / "shrinking", why);
  ASSERT_TRUE(input) << why;
  std::filesystem::resize_file(dir / "shrinking", std::uintmax_t{1536} * 1024);
  try {
    input->read_all();
    FAIL() << "a file shorter than when it was opened must not read as whole";
  } catch (const ReadError& error) {
    EXPECT_EQ(error.offset(), 1536u * 1024);
    EXPECT_STREQ(error.what(),
                 "the file ends here, though it held 3145728 bytes when it was opened: another "
                 "program shortened it while it was read");
  }
}

TEST(InputFile, RefusesWhatCannotBeReadSayingWhy) {
  test_support::TempDir dir;
  std::string why;
  EXPECT_FALSE(InputFile::open(dir / "absent", why));
  EXPECT_EQ(why, "it does not exist");
  EXPECT_FALSE(InputFile::open(dir.path(), why));
  EXPECT_EQ(why, "it is a directory");
}

}  // namespace
}  // namespace tracciato
