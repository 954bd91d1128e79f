#include "commands/lsp/workspace.h"

#include <gtest/gtest.h>

#include "base/utf8_path.h"
#include "testing/files.h"

namespace tracciato::lsp {
namespace {

struct NameCase {
  const char* name;
  std::string path;
  std::optional<DescriptionKind> kind;
  std::string base;
  std::string number;
};

class DescriptionNames : public ::testing::TestWithParam<NameCase> {};

TEST_P(DescriptionNames, TellALineFromATrainByTheFileName) {
  const auto d = description_name(GetParam().path);
  ASSERT_EQ(d.has_value(), GetParam().kind.has_value());
  if (!d) return;
  EXPECT_EQ(d->kind, *GetParam().kind);
  EXPECT_EQ(d->names.base_name, GetParam().base);
  EXPECT_EQ(d->names.train_number, GetParam().number);
}

INSTANTIATE_TEST_SUITE_P(
    Files, DescriptionNames,
    ::testing::Values(NameCase{"Line", "/s/BrenzanoC_OstuviaC_linea.txt", DescriptionKind::kLine,
                               "BrenzanoC_OstuviaC", ""},
                      NameCase{"TrainWhoseBaseHasUnderscores", "/s/BrenzanoC_OstuviaC_4417-.txt",
                               DescriptionKind::kTrain, "BrenzanoC_OstuviaC", "4417"},
                      NameCase{"DriverDocumentIsNone", "/s/Prova_1_note.txt", std::nullopt, "", ""},
                      NameCase{"TrainWithoutNumberIsNone", "/s/Prova_-.txt", std::nullopt, "", ""},
                      NameCase{"TrainWithoutBaseIsNone", "/s/_1-.txt", std::nullopt, "", ""},
                      NameCase{"BareSuffixIsNone", "/s/_linea.txt", std::nullopt, "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

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

TEST(Partners, ALineIsCheckedWithTheTrainEditedLastElseTheFirstOnDisk) {
  const testing::TempDir dir;
  const std::string line = shown_path(dir / "Prova_linea.txt");
  for (const char* name : {"Prova_9-.txt", "Prova_2-.txt", "Altra_1-.txt"})
    testing::write_file(dir / name, "");
  Workspace w;
  EXPECT_EQ(w.pair_of(line)->train_path, shown_path(dir / "Prova_2-.txt"));
  w.open(shown_path(dir / "Prova_9-.txt"), "file:///9", "");
  w.open(shown_path(dir / "Prova_5-.txt"), "file:///5", "");
  EXPECT_EQ(w.pair_of(line)->train_path, shown_path(dir / "Prova_5-.txt"));
  w.touch(*w.find(shown_path(dir / "Prova_9-.txt")));
  EXPECT_EQ(w.pair_of(line)->train_path, shown_path(dir / "Prova_9-.txt"));
}

TEST(Partners, ALineWithNoTrainIsCheckedAlone) {
  const testing::TempDir dir;
  const auto pair = Workspace().pair_of(shown_path(dir / "Prova_linea.txt"));
  ASSERT_TRUE(pair);
  EXPECT_EQ(pair->train_path, "");
}

TEST(Partners, NoneForAFileThatIsNoDescription) {
  EXPECT_FALSE(Workspace().pair_of("/s/notes.txt"));
}

}  // namespace
}  // namespace tracciato::lsp
