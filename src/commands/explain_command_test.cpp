#include <gtest/gtest.h>

#include <sstream>

#include "compile/row_kinds.h"
#include "model/error_codes.h"
#include "testing/files.h"

namespace tracciato {
namespace {

using test_support::run_tracciato;

TEST(Explain, TellsTheRuleTheFixAndAnExample) {
  test_support::TempDir dir;
  const auto run = run_tracciato({"explain", "15"}, dir.path());
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out,
            "error 15: a row lies beyond the end of the route\n"
            "\n"
            "Every object must lie within the track: its position plus 100 m (plus 800 m\n"
            "for a station), divided by 50, may not pass the last cell, 7000 m past the\n"
            "route length.\n"
            "\n"
            "fix: Check the position against the route length; a digit too many is the\n"
            "usual cause.\n"
            "\n"
            "example:\n"
            "    pendenza,  999999,  2\n");
}

TEST(Explain, EveryCodeIsExplainedWithinTheWidthOfATerminal) {
  test_support::TempDir dir;
  for (const ErrorCodeInfo& info : error_codes()) {
    const auto run = run_tracciato({"explain", std::to_string(info.code)}, dir.path());
    EXPECT_EQ(run.status, 0) << info.code;
    EXPECT_TRUE(run.out.starts_with("error " + std::to_string(info.code) + ": " + info.summary))
        << run.out;
    std::istringstream lines(run.out);
    for (std::string line; std::getline(lines, line);) {
      EXPECT_LE(line.size(), 80u) << info.code << ": " << line;
    }
  }
}

TEST(Explain, ANumberThatIsNoCodeIsAUsageError) {
  test_support::TempDir dir;
  const auto run = run_tracciato({"explain", "14"}, dir.path());
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("14 is no error code; tracciato help codes lists them"), std::string::npos)
      << run.err;
  EXPECT_EQ(run_tracciato({"explain"}, dir.path()).status, 2);
}

TEST(Explain, AWordOfNoRowIsAUsageErrorOfferingTheNearestKeyword) {
  test_support::TempDir dir;
  for (const auto& [word, told] : std::vector<std::pair<std::string, std::string>>{
           {"stazoine", "stazoine is no error code or row keyword; did you mean stazione?"},
           {"abc",
            "abc is no error code or row keyword; tracciato help codes and tracciato help "
            "rows list them"},
           {"15x", "15x is no error code or row keyword"},
           {"", " is no error code or row keyword"}}) {
    const auto run = run_tracciato({"explain", word}, dir.path());
    EXPECT_EQ(run.status, 2) << word;
    EXPECT_NE(run.err.find(told), std::string::npos) << run.err;
  }
}

TEST(Explain, ARowTellsItsKeywordTheReadersRuleItsSectionAndEachFieldInOrder) {
  test_support::TempDir dir;
  const auto run = run_tracciato({"explain", "pendenza"}, dir.path());
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out,
            "gradient row\n"
            "\n"
            "keyword   \"pendenza\"; the reader takes a keyword field that contains \"pendenza\"\n"
            "          (any case)\n"
            "section   the line description's objects, under [pendenze]\n"
            "track     (position + 100) / 50 may not pass the track's last cell, 7,000 m past\n"
            "          the route length (error 15)\n"
            "fields    2 after the keyword, in this order:\n"
            "\n"
            "   1  position, m\n"
            "      range: any 32-bit whole number; storage: from the 50 m cell p / 50 on,\n"
            "      rounded\n"
            "   2  gradient, per mille\n"
            "      range: -100 to 155 per mille; storage: + 100, low 8 bits\n"
            "      holds until the next row\n");
}

// Every keyword as written explains its own kind, naming each field of the table in order.
TEST(Explain, EveryKeywordAsWrittenIsExplainedWithinTheWidthOfATerminal) {
  test_support::TempDir dir;
  for (const RowKind& row : all_rows()) {
    for (const std::string_view keyword : row.keywords) {
      const auto run = run_tracciato({"explain", std::string(keyword)}, dir.path());
      EXPECT_EQ(run.status, 0) << keyword;
      EXPECT_TRUE(run.out.starts_with(std::string(row.name) + "\n\nkeyword   ")) << run.out;
      EXPECT_NE(run.out.find("\"" + std::string(keyword) + "\""), std::string::npos) << run.out;
      std::size_t from = 0;
      for (std::size_t k = 1; k <= row.fields.size(); ++k) {
        const std::string heading = std::to_string(k) + "  " + std::string(row.fields[k - 1].name);
        from = run.out.find(heading, from);
        ASSERT_NE(from, std::string::npos) << keyword << ": " << heading << " in\n" << run.out;
      }
      std::istringstream lines(run.out);
      for (std::string line; std::getline(lines, line);) {
        EXPECT_LE(line.size(), 80u) << keyword << ": " << line;
      }
    }
  }
}

struct NamedRows {
  const char* name;
  std::string word;
  std::vector<std::string> kinds;
};

class ExplainWords : public ::testing::TestWithParam<NamedRows> {};

TEST_P(ExplainWords, NameTheRowsTheReaderOrTheirNameOrTheirKeywordGives) {
  test_support::TempDir dir;
  const auto run = run_tracciato({"explain", GetParam().word}, dir.path());
  EXPECT_EQ(run.status, 0) << run.err;
  std::vector<std::string> kinds;
  std::istringstream lines(run.out);
  for (std::string line; std::getline(lines, line);) {
    if (!line.starts_with(' ') && line.ends_with(" row")) kinds.push_back(line);
  }
  EXPECT_EQ(kinds, GetParam().kinds) << run.out;
}

INSTANTIATE_TEST_SUITE_P(
    Words, ExplainWords,
    ::testing::Values(NamedRows{"KeywordAsTheReaderTestsIt", "Stazione", {"station row"}},
                      NamedRows{"KeywordWithAnAccent", "velocit\xC3\xA0", {"speed limit row"}},
                      NamedRows{"KeywordNamingTwoKinds",
                                "aderenza velocita",
                                {"speed limit row", "adhesion row"}},
                      NamedRows{"KindName", "speed board", {"speed board row"}},
                      NamedRows{"PartOfAKeyword",
                                "progressiva",
                                {"kilometric progressive row", "kilometric progressive row",
                                 "kilometric progressive row"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Explain, HelpCodesListsEveryCode) {
  test_support::TempDir dir;
  const auto run = run_tracciato({"help", "codes"}, dir.path());
  EXPECT_EQ(run.status, 0);
  for (const ErrorCodeInfo& info : error_codes()) {
    EXPECT_NE(run.out.find(std::to_string(info.code) + "  " + info.summary + "\n"),
              std::string::npos)
        << info.code;
  }
}

}  // namespace
}  // namespace tracciato
