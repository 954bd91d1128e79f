// What the commands that write files do with the files already there: a read-only one is
// kept unless --force, and two compiles into one folder at once never mix their sets.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "testing/files.h"

namespace tracciato {
namespace {

namespace fs = std::filesystem;
using test_support::read_file;
using test_support::run_tracciato;
using test_support::write_file;

const std::string kExampleLine = std::string(TRACCIATO_EXAMPLES) + "/Esempio_linea.txt";
const std::string kExampleTrain = std::string(TRACCIATO_EXAMPLES) + "/Esempio_100-.txt";

void make_read_only(const fs::path& file) {
  fs::permissions(file, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
}

bool read_only(const fs::path& file) {
  return (fs::status(file).permissions() & fs::perms::owner_write) == fs::perms::none;
}

struct ReadOnlyCase {
  const char* name;
  std::vector<test_support::Arg> args;
  std::string file;
  std::string says;
};

class ReadOnlyOutput : public ::testing::TestWithParam<ReadOnlyCase> {};

TEST_P(ReadOnlyOutput, IsKeptAndNamedUnlessForcedThenReplacedStayingReadOnly) {
  const ReadOnlyCase& c = GetParam();
  test_support::TempDir dir;
  write_file(dir / c.file, "earlier");
  make_read_only(dir / c.file);
  auto run = run_tracciato(c.args, dir.path());
  EXPECT_EQ(run.status, 3) << run.err;
  EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
  EXPECT_EQ(read_file(dir / c.file), "earlier");
  EXPECT_EQ(test_support::file_names(dir.path()), std::vector<std::string>{c.file});

  std::vector<test_support::Arg> forced = c.args;
  forced.emplace_back("--force");
  run = run_tracciato(forced, dir.path());
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(read_file(dir / c.file), "earlier");
  EXPECT_TRUE(read_only(dir / c.file));
  fs::permissions(dir / c.file, fs::perms::owner_write, fs::perm_options::add);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, ReadOnlyOutput,
    ::testing::Values(
        ReadOnlyCase{"CompiledFileOfCompile",
                     {"compile", kExampleLine, kExampleTrain},
                     "Esempio_100.sim",
                     "Esempio_100.sim: it is read-only; --force replaces it\n"},
        ReadOnlyCase{"DocumentOfTheDefaultRun",
                     {"--out", ".", "--headless"},
                     "BrenzanoC_OstuviaC_4417_note.txt",
                     "BrenzanoC_OstuviaC_4417_note.txt is read-only: give --force to replace "
                     "it\n"},
        ReadOnlyCase{"CompiledFileOfTheDefaultRun",
                     {"--out", ".", "--headless"},
                     "BrenzanoC_OstuviaC_4417.dat",
                     "BrenzanoC_OstuviaC_4417.dat is read-only: give --force to replace it\n"},
        ReadOnlyCase{"PageOfReport",
                     {"report"},
                     "BrenzanoC_OstuviaC_4417.html",
                     "cannot write BrenzanoC_OstuviaC_4417.html: it is read-only; --force "
                     "replaces it\n"}),
    [](const auto& info) { return std::string(info.param.name); });

// Two versions of one scenario: the same names, other bytes in each of the three files.
struct Version {
  fs::path line;
  fs::path train;
  std::array<std::string, 3> files;
};

constexpr std::array<const char*, 3> kCompiled = {"Esempio_linea.dat", "Esempio_100.sim",
                                                  "Esempio_100.dat"};

std::string replaced(std::string text, const std::string& from, const std::string& to) {
  const std::size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

Version built(const fs::path& dir, const std::string& line, const std::string& train) {
  fs::create_directories(dir / "out");
  Version v{dir / "Esempio_linea.txt", dir / "Esempio_100-.txt", {}};
  write_file(v.line, line);
  write_file(v.train, train);
  const auto run =
      run_tracciato({"compile", v.line, v.train, "--out", dir / "out", "-w", "--quiet"}, dir);
  EXPECT_EQ(run.status, 0) << run.err;
  for (std::size_t i = 0; i < kCompiled.size(); ++i)
    v.files[i] = read_file(dir / "out" / kCompiled[i]);
  return v;
}

// Which version the folder's set came from whole, or -1 for a mixed set.
int set_from(const fs::path& out, const std::array<Version, 2>& versions) {
  std::array<std::string, 3> set;
  for (std::size_t i = 0; i < kCompiled.size(); ++i) set[i] = read_file(out / kCompiled[i]);
  for (int v = 0; v < 2; ++v) {
    if (set == versions[v].files) return v;
  }
  return -1;
}

TEST(CompileOutput, TwoCompilesIntoOneFolderAtOnceNeverMixTheirSets) {
#ifdef _WIN32
  constexpr int kRounds = 10;  // a process starts slowly under Wine
#else
  constexpr int kRounds = 80;
#endif
  test_support::TempDir dir;
  const std::string line = read_file(kExampleLine);
  const std::string train = read_file(kExampleTrain);
  const std::array<Version, 2> versions = {
      built(dir / "a", line, train),
      built(dir / "b",
            replaced(replaced(line, "curvad4,  2000,  500", "curvad4,  2000,  700"), "(Sottovia)",
                     "(Galleria)"),
            replaced(train, "velocita,     900,    80", "velocita,     900,    90"))};
  for (std::size_t i = 0; i < kCompiled.size(); ++i) {
    ASSERT_NE(versions[0].files[i], versions[1].files[i]) << kCompiled[i];
  }
  fs::create_directory(dir / "shared");
  for (int round = 0; round < kRounds; ++round) {
    std::array<int, 2> status{};
    {
      std::vector<std::jthread> compiles;
      compiles.reserve(2);
      for (int v = 0; v < 2; ++v) {
        compiles.emplace_back([&, v] {
          status[v] = run_tracciato({"compile", versions[v].line, versions[v].train, "--out",
                                     dir / "shared", "-w", "--quiet"},
                                    dir.path())
                          .status;
        });
      }
    }
    EXPECT_EQ(status, (std::array<int, 2>{0, 0})) << "round " << round;
    ASSERT_NE(set_from(dir / "shared", versions), -1) << "round " << round << ": a mixed set";
  }
  EXPECT_EQ(test_support::file_names(dir / "shared"),
            (std::vector<std::string>{"Esempio_100.dat", "Esempio_100.sim", "Esempio_linea.dat"}));
}

}  // namespace
}  // namespace tracciato
