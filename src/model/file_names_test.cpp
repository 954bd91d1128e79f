#include "model/file_names.h"

#include <gtest/gtest.h>

namespace tracciato {
namespace {

TEST(FileNames, EveryFileOfABuildIsNamedFromTheBaseNameAndTrainNumber) {
  const ScenarioNames n{"BrenzanoC_OstuviaC", "4417"};
  EXPECT_EQ(line_description_name(n.base_name), "BrenzanoC_OstuviaC_linea.txt");
  EXPECT_EQ(train_description_name(n.base_name, n.train_number), "BrenzanoC_OstuviaC_4417-.txt");
  EXPECT_EQ(geometry_file_name(n.base_name), "BrenzanoC_OstuviaC_linea.dat");
  EXPECT_EQ(header_file_name(n.base_name, n.train_number), "BrenzanoC_OstuviaC_4417.sim");
  EXPECT_EQ(cell_file_name(n.base_name, n.train_number), "BrenzanoC_OstuviaC_4417.dat");
  EXPECT_EQ(notes_name(n), "BrenzanoC_OstuviaC_4417_note.txt");
  EXPECT_EQ(slowdown_order_name(n), "BrenzanoC_OstuviaC_4417_rallentamenti.txt");
  EXPECT_EQ(timetable_card_name(n), "BrenzanoC_OstuviaC_4417_scheda_treno.txt");
}

TEST(FileNames, ACompiledFileIsKnownByItsName) {
  const ScenarioNames n{"A", "1"};
  EXPECT_EQ(compiled_kind_from_name(geometry_file_name(n.base_name)), CompiledKind::kGeometry);
  EXPECT_EQ(compiled_kind_from_name(header_file_name(n.base_name, n.train_number)),
            CompiledKind::kHeader);
  EXPECT_EQ(compiled_kind_from_name(cell_file_name(n.base_name, n.train_number)),
            CompiledKind::kCells);
  EXPECT_EQ(compiled_kind_from_name(line_description_name(n.base_name)), std::nullopt);
}

TEST(FileNames, TheDescriptionNamesGiveBackTheBaseNameAndTrainNumber) {
  std::string problem;
  const auto names =
      resolve_names(line_description_name("Prova"), train_description_name("Prova", "12"),
                    std::nullopt, std::nullopt, problem);
  ASSERT_TRUE(names) << problem;
  EXPECT_EQ(names->base_name, "Prova");
  EXPECT_EQ(names->train_number, "12");
}

struct HeldCase {
  const char* name;
  std::string base;
  std::string number;
  const char* problem;  // empty: the names are taken
};

class NamesTheHeaderHolds : public ::testing::TestWithParam<HeldCase> {};

// Each name is a header record's text, in Windows-1252, of 65,535 bytes at most.
TEST_P(NamesTheHeaderHolds, AreTakenAndLongerOnesRefused) {
  const HeldCase& c = GetParam();
  std::string problem;
  const auto names = resolve_names("a_linea.txt", "a_1-.txt", c.base, c.number, problem);
  EXPECT_EQ(problem, c.problem);
  EXPECT_EQ(names.has_value(), problem.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Lengths, NamesTheHeaderHolds,
    ::testing::Values(HeldCase{"BaseNameOfTheLongestText", std::string(65535, 'A'), "1", ""},
                      HeldCase{"BaseNameOneByteLonger", std::string(65536, 'A'), "1",
                               "the base name is 65536 bytes long; the header holds 65535 at most"},
                      HeldCase{
                          "TrainNumberOneByteLonger", "A", std::string(65536, '7'),
                          "the train number is 65536 bytes long; the header holds 65535 at most"},
                      // 2 bytes each in UTF-8, 1 in Windows-1252.
                      HeldCase{"AccentedNameCountedInWindows1252",
                               std::string(40000, 'A') +
                                   [] {
                                     std::string a;
                                     for (int i = 0; i < 20000; ++i) a += "\xC3\xA0";
                                     return a;
                                   }(),
                               "1", ""}),
    [](const auto& info) { return std::string(info.param.name); });

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
                      NameCase{"TrainInAWindowsFolder", "C:\\s\\Prova_7-.txt",
                               DescriptionKind::kTrain, "Prova", "7"},
                      NameCase{"DriverDocumentIsNone", "/s/Prova_1_note.txt", std::nullopt, "", ""},
                      NameCase{"TrainWithoutNumberIsNone", "/s/Prova_-.txt", std::nullopt, "", ""},
                      NameCase{"TrainWithoutBaseIsNone", "/s/_1-.txt", std::nullopt, "", ""},
                      NameCase{"BareSuffixIsNone", "/s/_linea.txt", std::nullopt, "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tracciato
