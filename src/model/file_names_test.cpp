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
