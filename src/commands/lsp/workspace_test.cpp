#include "commands/lsp/workspace.h"

#include <gtest/gtest.h>

#include <chrono>

#include "base/utf8_path.h"
#include "testing/files.h"

namespace tracciato::lsp {
namespace {

TEST(Partners, ATrainIsCheckedWithTheLineBesideIt) {
  const Workspace w;
  const auto pair = w.pair_of("/s/Prova_7-.txt");
  ASSERT_TRUE(pair);
  EXPECT_EQ(pair->line_path, "/s/Prova_linea.txt");
  EXPECT_EQ(pair->train_path, "/s/Prova_7-.txt");
  EXPECT_EQ(pair->names.train_number, "7");
  // The partner keeps the form of the path the editor gave, so it meets its own URI.
  EXPECT_EQ(w.pair_of("C:/s/Prova_7-.txt")->line_path, "C:/s/Prova_linea.txt");
  EXPECT_EQ(w.pair_of("C:\\s\\Prova_7-.txt")->line_path, "C:\\s\\Prova_linea.txt");
}

TEST(Partners, ALineIsCheckedWithTheTrainEditedLastElseTheOneChangedLastOnDisk) {
  const test_support::TempDir dir;
  const std::string line = shown_path(dir / "Prova_linea.txt");
  for (const char* name : {"Prova_9-.txt", "Prova_2-.txt", "Altra_1-.txt"})
    test_support::write_file(dir / name, "");
  std::filesystem::last_write_time(
      dir / "Prova_2-.txt", std::filesystem::file_time_type::clock::now() - std::chrono::hours(2));
  Workspace w;
  EXPECT_EQ(w.pair_of(line)->train_path, shown_path(dir / "Prova_9-.txt"));
  w.open(shown_path(dir / "Prova_9-.txt"), "file:///9", "");
  w.open(shown_path(dir / "Prova_5-.txt"), "file:///5", "");
  EXPECT_EQ(w.pair_of(line)->train_path, shown_path(dir / "Prova_5-.txt"));
  w.touch(*w.find(shown_path(dir / "Prova_9-.txt")));
  EXPECT_EQ(w.pair_of(line)->train_path, shown_path(dir / "Prova_9-.txt"));
}

TEST(Partners, ALineWithNoTrainIsCheckedAlone) {
  const test_support::TempDir dir;
  const auto pair = Workspace().pair_of(shown_path(dir / "Prova_linea.txt"));
  ASSERT_TRUE(pair);
  EXPECT_EQ(pair->train_path, "");
}

TEST(Partners, NoneForAFileThatIsNoDescription) {
  EXPECT_FALSE(Workspace().pair_of("/s/notes.txt"));
}

}  // namespace
}  // namespace tracciato::lsp
