#include "model/competition_codes.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "model/header_records.h"

namespace tracciato {
namespace {

ScenarioHeader header_with(const std::string& base, const std::string& number) {
  ScenarioHeader h;
  identity_record(h).base_name = base;
  signalling_record(h).train_number = number;
  return h;
}

struct CodeCase {
  const char* name;
  const char* base;
  const char* number;
  int og;
  int st;
};
void PrintTo(const CodeCase& c, std::ostream* os) {
  *os << c.name;
}

class CompetitionCodes : public ::testing::TestWithParam<CodeCase> {};

TEST_P(CompetitionCodes, MatchWorkedExamples) {
  const CodeCase c = GetParam();
  const ScenarioHeader h = header_with(c.base, c.number);
  EXPECT_EQ(codice_gara_og(h), c.og);
  EXPECT_EQ(codice_gara_st(h), c.st);
}

INSTANTIATE_TEST_SUITE_P(Examples, CompetitionCodes,
                         ::testing::Values(CodeCase{"BaseAlone", "abc", "", 2546, 33756},
                                           CodeCase{"BaseAndTrainNumber", "abc", "12", 2427, 33220},
                                           CodeCase{"NothingButFiller", "", "", 2583, 34355},
                                           CodeCase{"UpperCaseFoldsToTheSameCodes", "ABC", "", 2546,
                                                    33756}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CompetitionCodes, CodeStringPutsTrainNumberFirstAndKeeps25Characters) {
  EXPECT_EQ(code_string(header_with("abc", "12")), "12abcaabbccddeeffgghhiill");
  EXPECT_EQ(code_string(header_with("BrenzanoC_OstuviaC", "4417")), "4417brenzanoc_ostuviacaab");
}

TEST(CompetitionCodes, CodePageLettersFoldByTheirOwnPairs) {
  // À (C0) to à (E0), Š (8A) to š (9A), Ÿ (9F) to ÿ (FF); × (D7) has no pair.
  EXPECT_EQ(code_string(header_with("\xC0\x8A\x9F\xD7", "")).substr(0, 4), "\xE0\x9A\xFF\xD7");
}

TEST(CompetitionCodes, LongNamesMakeTheFillerIrrelevant) {
  const std::string base = "abcdefghijklmnopqrstuvwxyz";
  EXPECT_EQ(codice_gara_st(header_with(base, "")), codice_gara_st(header_with(base + "X", "")));
}

Scenario stampable(const std::string& base, const std::string& number) {
  Scenario s;
  s.cells.allocate(10);
  s.header = header_with(base, number);
  return s;
}

TEST(HeaderStamp, StoresStampsAndCodes) {
  Scenario s = stampable("abc", "");
  stamp_header(s);
  EXPECT_FALSE(s.errors.failed());
  EXPECT_EQ(identity_record(s.header).format_stamp, 610);
  EXPECT_EQ(identity_record(s.header).competition_code_st, 33756);
  EXPECT_EQ(s.cells.at(1).cell_value, 5121);
  EXPECT_EQ(s.cells.at(1).cell_value_2, 2546);
}

TEST(HeaderStamp, RefusesTakenSlots) {
  Scenario taken_value = stampable("abc", "");
  taken_value.cells.at(1).cell_value = 50;
  stamp_header(taken_value);
  EXPECT_EQ(taken_value.errors.error_code, 1250);
  EXPECT_EQ(identity_record(taken_value.header).format_stamp, 0);

  Scenario taken_value_2 = stampable("abc", "");
  taken_value_2.cells.at(1).cell_value_2 = 3;
  stamp_header(taken_value_2);
  EXPECT_EQ(taken_value_2.errors.error_code, 1251);
  EXPECT_EQ(identity_record(taken_value_2.header).competition_code_st, 0);
}

}  // namespace
}  // namespace tracciato
