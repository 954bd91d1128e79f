#include "model/description_files.h"

#include <gtest/gtest.h>

#include <chrono>

#include "testing/files.h"

namespace tracciato {
namespace {

namespace fs = std::filesystem;

// Sets a file's time `hours` before a fixed moment, so that which was changed last does
// not hang on the file system's clock.
void changed_hours_ago(const fs::path& file, int hours) {
  static const auto now = fs::file_time_type::clock::now();
  fs::last_write_time(file, now - std::chrono::hours(hours));
}

TEST(DescriptionFiles, APartnerKeepsThePathFormItWasGiven) {
  EXPECT_EQ(line_beside("/s/Prova_7-.txt", "Prova"), "/s/Prova_linea.txt");
  EXPECT_EQ(line_beside("C:\\s\\Prova_7-.txt", "Prova"), "C:\\s\\Prova_linea.txt");
  EXPECT_EQ(line_beside("Prova_7-.txt", "Prova"), "Prova_linea.txt");
  EXPECT_EQ(folder_of("a/b\\c.txt"), "a/b\\");
  EXPECT_EQ(folder_of("c.txt"), "");
}

TEST(DescriptionFiles, TheTrainsOfALineComeChangedLastFirstThenByName) {
  test_support::TempDir dir;
  for (const char* name : {"Prova_9-.txt", "Prova_2-.txt", "Prova_5-.txt", "Altra_1-.txt",
                           "Prova_1_note.txt", "Prova_linea.txt"}) {
    test_support::write_file(dir / name, "");
  }
  fs::create_directory(dir / "Prova_4-.txt");
  changed_hours_ago(dir / "Prova_2-.txt", 5);
  changed_hours_ago(dir / "Prova_5-.txt", 3);
  changed_hours_ago(dir / "Prova_9-.txt", 3);
  const std::string line = shown_path(dir / "Prova_linea.txt");
  EXPECT_EQ(
      trains_beside(line, "Prova"),
      (std::vector<std::string>{shown_path(dir / "Prova_5-.txt"), shown_path(dir / "Prova_9-.txt"),
                                shown_path(dir / "Prova_2-.txt")}));
  EXPECT_TRUE(trains_beside(line, "Nessuna").empty());
}

struct NearCase {
  const char* name;
  const char* missing;
  std::optional<std::string> meant;
};

class NearestNameBeside : public ::testing::TestWithParam<NearCase> {};

TEST_P(NearestNameBeside, OffersTheFileMeantByAMistypedName) {
  test_support::TempDir dir;
  for (const char* name : {"Esempio_linea.txt", "Esempio_linea.dat", "Esempio_100-.txt",
                           "Esempio_100.sim", "Esempio_100_note.txt"}) {
    test_support::write_file(dir / name, "");
  }
  fs::create_directory(dir / "Esempio_101-.txt");
  EXPECT_EQ(nearest_name_beside(dir / GetParam().missing), GetParam().meant);
}

INSTANTIATE_TEST_SUITE_P(
    Names, NearestNameBeside,
    ::testing::Values(NearCase{"LetterLeftOut", "Esempio_line.txt", "Esempio_linea.txt"},
                      NearCase{"OtherCase", "esempio_linea.txt", "Esempio_linea.txt"},
                      NearCase{"TrainNumberMistyped", "Esempio_10-.txt", "Esempio_100-.txt"},
                      NearCase{"NeverACompiledFile", "Esempio_linea.dap", "Esempio_linea.txt"},
                      NearCase{"NeverAFolder", "Esempio_102-.txt", "Esempio_100-.txt"},
                      NearCase{"NothingNear", "Altra_linea.txt", std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DescriptionFiles, NoNearNameInAFolderThatIsNotThere) {
  test_support::TempDir dir;
  EXPECT_EQ(nearest_name_beside(dir / "absent" / "Esempio_linea.txt"), std::nullopt);
}

}  // namespace
}  // namespace tracciato
