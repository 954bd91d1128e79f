#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/replacing_file.h"
#include "testing/files.h"

namespace tracciato {
namespace {

mode_t mode_of(const std::filesystem::path& file) {
  struct stat info {};
  EXPECT_EQ(::stat(file.c_str(), &info), 0) << file;
  return info.st_mode & 07777;
}

void replace(const std::filesystem::path& file) {
  ReplacingFile replacing(file);
  replacing.commit();
}

TEST(ReplacingFile, ReplacedFileKeepsItsMode) {
  test_support::TempDir dir;
  for (const mode_t mode : {0600, 0640, 0755, 0444}) {
    const auto file = dir / ("mode-" + std::to_string(mode));
    test_support::write_file(file, "earlier");
    ASSERT_EQ(::chmod(file.c_str(), mode), 0);
    replace(file);
    EXPECT_EQ(mode_of(file), mode) << std::oct << mode;
  }
}

TEST(ReplacingFile, NewFileHasTheModeTheUmaskLeaves) {
  test_support::TempDir dir;
  const mode_t umask = ::umask(022);
  replace(dir / "new");
  ::umask(umask);
  EXPECT_EQ(mode_of(dir / "new"), 0644u);
}

}  // namespace
}  // namespace tracciato
