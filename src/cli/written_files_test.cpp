#include "cli/written_files.h"

#include <gtest/gtest.h>

#include <ostream>

namespace tracciato {
namespace {

struct WrittenCase {
  const char* name;
  std::vector<std::string> files;
  std::filesystem::path dir;
  bool failed;
  std::string line;
};

void PrintTo(const WrittenCase& c, std::ostream* os) {
  *os << c.name;
}

class WrittenLine : public ::testing::TestWithParam<WrittenCase> {};

TEST_P(WrittenLine, NamesWhatWasWritten) {
  const WrittenCase& c = GetParam();
  std::string expected = c.line;
  // Windows shows the folder with its own separator.
  if (expected.ends_with('/')) {
    expected.back() = static_cast<char>(std::filesystem::path::preferred_separator);
  }
  EXPECT_EQ(written_line(c.files, c.dir, c.failed), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WrittenLine,
    ::testing::Values(
        WrittenCase{"InAFolder",
                    {"F_1.sim", "F_1.dat", "F_linea.dat"},
                    "out",
                    false,
                    "wrote F_1.sim, F_1.dat, F_linea.dat in out/"},
        WrittenCase{"InTheCurrentFolder", {"F_1.html"}, ".", false, "wrote F_1.html"},
        WrittenCase{"InAFolderLeftEmpty", {"F_1.html"}, "", false, "wrote F_1.html"},
        WrittenCase{
            "PartOfAFailedRun", {"F_1_note.txt"}, "out", true, "wrote only F_1_note.txt in out/"},
        WrittenCase{"NothingAfterAFailure", {}, "out", true, "nothing was written"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tracciato
