// Windows refuses to replace a file that another program holds open.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "compile/output_set_fixture.h"
#include "platform/testing/held_file.h"

namespace tracciato {
namespace {

using test_support::read_file;

TEST_F(OutputSet, FileHeldOpenKeepsTheWholeEarlierSet) {
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
  EXPECT_EQ(test_support::file_names(dir_.path()).size(), 3u);
}

TEST_F(OutputSet, FileLetGoOfWhileWaitingIsReplaced) {
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
