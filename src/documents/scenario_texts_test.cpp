#include "documents/scenario_texts.h"

#include <gtest/gtest.h>

#include "testing/files.h"

namespace tracciato {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kText = "[generale]\nlunghezza percorso, 5000\n";

TEST(EarlierFile, IsTheSameOnlyForTheBytesTheTextIsWrittenAs) {
  test_support::TempDir dir;
  test_support::write_file(dir / "same.txt", "[generale]\r\nlunghezza percorso, 5000\r\n");
  test_support::write_file(dir / "lf.txt", std::string(kText));
  test_support::write_file(dir / "edited.txt", "[generale]\r\nlunghezza percorso, 6000\r\n");
  EXPECT_EQ(earlier_file(dir / "same.txt", kText).kind, EarlierFile::kSame);
  for (const char* other : {"lf.txt", "edited.txt"}) {
    const EarlierFile earlier = earlier_file(dir / other, kText);
    EXPECT_EQ(earlier.kind, EarlierFile::kOther) << other;
    EXPECT_EQ(earlier.why, "differs from the embedded scenario's text") << other;
  }
}

TEST(EarlierFile, IsNoneWhereNoFileStandsOrADirectoryDoes) {
  test_support::TempDir dir;
  fs::create_directory(dir / "folder.txt");
  EXPECT_EQ(earlier_file(dir / "absent.txt", kText).kind, EarlierFile::kNone);
  EXPECT_EQ(earlier_file(dir / "folder.txt", kText).kind, EarlierFile::kNone);
}

TEST(WriteScenarioTexts, NamesEachFileItWrites) {
  test_support::TempDir dir;
  const EmbeddedScenario scenario{"P", "1", "[generale]\n", "[generale]\n", "n\n", "r\n", "s\n"};
  std::vector<std::string> written;
  write_scenario_texts(scenario, dir.path(), &written);
  EXPECT_EQ(written, (std::vector<std::string>{"P_linea.txt", "P_1-.txt", "P_1_note.txt",
                                               "P_1_rallentamenti.txt", "P_1_scheda_treno.txt"}));
  EXPECT_EQ(test_support::file_names(dir.path()),
            (std::vector<std::string>{"P_1-.txt", "P_1_note.txt", "P_1_rallentamenti.txt",
                                      "P_1_scheda_treno.txt", "P_linea.txt"}));
}

}  // namespace
}  // namespace tracciato
