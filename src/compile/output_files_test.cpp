#include "compile/output_files.h"

#include <gtest/gtest.h>

#include "compile/output_set_fixture.h"
#include "testing/files.h"

namespace tracciato {
namespace {

using testing::read_file;

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

}  // namespace
}  // namespace tracciato
