#include "compile/line/line_compiler.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "model/header_records.h"
#include "testing/descriptions.h"

namespace tracciato {
namespace {

using test_support::crlf;
using test_support::line_description;
using test_support::line_description_with;

struct Compiled {
  Scenario s;
  PhaseOutcome outcome;
};

Compiled compile_text(const std::string& text, std::int32_t j = 1) {
  Compiled c{Scenario{}, PhaseOutcome::kContinue};
  c.s.j = j;
  c.outcome = compile_line(c.s, text, "linea.txt");
  return c;
}

// The code the whole build reports for a line description and an empty train.
std::int32_t build_code(const std::string& line, int j = 1) {
  return test_support::compile(line, test_support::train_description({}), j).errors.error_code;
}

// A route of 10000 m (P = 340) with the caller's general rows after the route length.
std::string with_general(const std::vector<std::string>& rows,
                         const std::vector<std::string>& objects = {}) {
  std::vector<std::string> general = {"lunghezza percorso, 10000"};
  general.insert(general.end(), rows.begin(), rows.end());
  return line_description_with(general, objects);
}

struct Triple {
  std::int32_t a, b, c;
  bool operator==(const Triple&) const = default;
};
void PrintTo(const Triple& t, std::ostream* os) {
  *os << "(" << t.a << ", " << t.b << ", " << t.c << ")";
}
Triple progressive(const Scenario& s, int record) {
  const ProgressiveView p(s.header.at(record));
  return {p.start, p.kilometric_value, p.direction_flag};
}
// Backgrounds "uno", "due", "tre".
Triple backgrounds(const Scenario& s) {
  const auto identity = identity_record(s.header);
  return {identity.background_one, identity.background_two, identity.background_three};
}
// The two distances and the code count.
Triple repetition(const Scenario& s) {
  const auto signalling = signalling_record(s.header);
  return {signalling.first_repetition_distance, signalling.second_repetition_distance,
          signalling.code_count};
}
std::string signboard_text(const Scenario& s, int record) {
  return SignboardView(s.header.at(record)).text;
}

// ---------------------------------------------------------------- lead-in

struct CodeCase {
  const char* name;
  std::string text;
  std::int32_t code;
  int j = 1;
};
void PrintTo(const CodeCase& c, std::ostream* os) {
  *os << c.name;
}

class LineLeadIn : public ::testing::TestWithParam<CodeCase> {};

TEST_P(LineLeadIn, NeedsAGeneralFieldFollowedByMore) {
  EXPECT_EQ(build_code(GetParam().text), GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(
    Line, LineLeadIn,
    ::testing::Values(
        CodeCase{"EmptyFile", "", 25},
        CodeCase{"NoGeneralField", crlf({"lunghezza percorso, 1000", "[fine]"}), 102},
        CodeCase{"GeneralIsLastLine", crlf({"linea di prova", "[generale]"}), 102},
        CodeCase{"GeneralIsLastFieldWithoutLineEnd", "linea di prova\r\n[generale]", 102},
        CodeCase{"OnlyABlankLine", "\r\n", 102},
        // Rows before the general field are skipped, whatever they say.
        CodeCase{"LeadInRowsIgnored",
                 crlf({"lunghezza percorso, 5000000", "titolo, [Generale] della linea",
                       "lunghezza percorso, 1000", "[fine]"}),
                 0}),
    [](const ::testing::TestParamInfo<CodeCase>& info) { return info.param.name; });

TEST(LineLeadIn, FailureStopsTheCompile) {
  const Compiled c = compile_text(crlf({"lunghezza percorso, 1000", "[fine]"}));
  EXPECT_EQ(c.s.errors.error_code, 102);
  EXPECT_FALSE(c.s.errors.position_recorded);
  EXPECT_EQ(c.outcome, PhaseOutcome::kStop);
}

// ---------------------------------------------------------------- general section

struct RouteCase {
  const char* name;
  const char* keyword;
  std::int32_t length;
  std::int32_t last_cell;
};
void PrintTo(const RouteCase& c, std::ostream* os) {
  *os << c.keyword << " " << c.length;
}

class LineRouteLength : public ::testing::TestWithParam<RouteCase> {};

TEST_P(LineRouteLength, SizesCellsAndGeometry) {
  const RouteCase& r = GetParam();
  const Compiled c = compile_text(
      line_description_with({std::string(r.keyword) + ", " + std::to_string(r.length)}, {}));
  ASSERT_FALSE(c.s.errors.failed());
  EXPECT_EQ(train_values_record(c.s.header).route_length, r.length);
  EXPECT_EQ(c.s.route_span, r.length + 7000);
  EXPECT_EQ(c.s.cells.last_index(), r.last_cell);
  ASSERT_TRUE(c.s.geometry.has_value());
  EXPECT_EQ(c.s.geometry->route_span(), r.length + 7000);
}

INSTANTIATE_TEST_SUITE_P(
    Line, LineRouteLength,
    ::testing::Values(RouteCase{"ZeroLength", "lunghezza percorso", 0, 140},
                      RouteCase{"CapitalKeyword", "LUNGHEZZA PERCORSO", 136000, 2860},
                      RouteCase{"LongestRouteWithAWordBetween", "Lunghezza del Percorso", 1000000,
                                20140},
                      // 7025 / 50 = 140.5, 7075 / 50 = 141.5
                      RouteCase{"HalfCellDownToEven", "lunghezza percorso", 25, 140},
                      RouteCase{"HalfCellUpToEven", "lunghezza percorso", 75, 142}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LineRouteLength, AboveOneMillionIsCode1) {
  EXPECT_EQ(build_code(line_description({}, 1000000)), 0);
  EXPECT_EQ(build_code(line_description({}, 1000001)), 1);
  const Compiled c = compile_text(line_description({}, 1000001));
  EXPECT_EQ(c.s.errors.error_code, 1);
  EXPECT_EQ(c.outcome, PhaseOutcome::kStop);
}

TEST(LineGeneral, RowsFillTheirRecords) {
  Scenario s;
  s.base_name = "BrenzanoC_OstuviaC";
  s.train_number = "4417";
  const std::string text = with_general({
      "progressiva chilometrica uno,  0, 137350, 1",
      "progressiva chilometrica due,  50000, 20000, 0",
      "sfondo uno,   78300",
      "sfondo due,   1",
      "sfondo tre,   26800",
      "ripetizione segnali 4 codici,  1000, 1500",
  });
  ASSERT_EQ(compile_line(s, text, "linea.txt"), PhaseOutcome::kContinue);
  ASSERT_FALSE(s.errors.failed());
  // Stored in 83 and 82, then ordered: the later start first, the decreasing one shifted.
  EXPECT_EQ(progressive(s, 81), (Triple{50000, 20000, 0}));
  EXPECT_EQ(progressive(s, 82), (Triple{0, 137450, 1}));
  EXPECT_EQ(progressive(s, 83), (Triple{0, 0, 0}));
  EXPECT_EQ(backgrounds(s), (Triple{78300, 1, 26800}));
  EXPECT_EQ(repetition(s), (Triple{1000, 1500, 4}));
  EXPECT_EQ(identity_record(s.header).base_name, "BrenzanoC_OstuviaC");
  EXPECT_EQ(signalling_record(s.header).train_number, "4417");
}

struct RecognitionCase {
  const char* name;
  std::string row;
  Triple r81, backgrounds, repetition;
};
void PrintTo(const RecognitionCase& c, std::ostream* os) {
  *os << c.name;
}

class LineGeneralKeywords : public ::testing::TestWithParam<RecognitionCase> {};

// Each row is followed by "sfondo tre, 9": an unrecognised row's numbers are skipped as
// fields of their own and the next row is still read.
TEST_P(LineGeneralKeywords, MatchInTheirCase) {
  const RecognitionCase& c = GetParam();
  const Compiled r = compile_text(with_general({c.row, "sfondo tre, 9"}));
  ASSERT_FALSE(r.s.errors.failed());
  EXPECT_EQ(progressive(r.s, 81), c.r81);
  EXPECT_EQ(backgrounds(r.s), c.backgrounds);
  EXPECT_EQ(repetition(r.s), c.repetition);
}

INSTANTIATE_TEST_SUITE_P(
    Line, LineGeneralKeywords,
    ::testing::Values(
        RecognitionCase{"Progressive",
                        "progressiva chilometrica uno, 0, 137350, 1",
                        {0, 137450, 1},
                        {0, 0, 9},
                        {0, 0, 0}},
        RecognitionCase{"ProgressiveCapitalP",
                        "Progressiva chilometrica uno, 0, 137350, 1",
                        {0, 0, 0},
                        {0, 0, 9},
                        {0, 0, 0}},
        RecognitionCase{"ProgressiveCapitalUno",
                        "progressiva chilometrica UNO, 0, 137350, 1",
                        {0, 0, 0},
                        {0, 0, 9},
                        {0, 0, 0}},
        RecognitionCase{"BackgroundCapitals", "SFONDO uno, 5", {0, 0, 0}, {0, 0, 9}, {0, 0, 0}},
        RecognitionCase{"RepetitionCapitalR",
                        "Ripetizione segnali 4 codici, 1000, 1500",
                        {0, 0, 0},
                        {0, 0, 9},
                        {0, 0, 0}},
        // A keyword that names two rows reads both rows' values in row order.
        RecognitionCase{
            "TwoRowsInOneKeyword", "sfondo uno due, 5, 6", {0, 0, 0}, {5, 6, 9}, {0, 0, 0}},
        RecognitionCase{"LaterRowWins", "sfondo tre, 4", {0, 0, 0}, {0, 0, 9}, {0, 0, 0}}),
    [](const ::testing::TestParamInfo<RecognitionCase>& info) { return info.param.name; });

struct RepetitionCase {
  const char* name;
  std::string keyword;
  std::int32_t first, second;
  std::int32_t code;
  std::int32_t codes;  // the code count when accepted
};
void PrintTo(const RepetitionCase& c, std::ostream* os) {
  *os << c.keyword << ", " << c.first << ", " << c.second;
}

class LineSignalRepetition : public ::testing::TestWithParam<RepetitionCase> {};

TEST_P(LineSignalRepetition, ChecksDistancesAndCodeCount) {
  const RepetitionCase& c = GetParam();
  const std::string row =
      c.keyword + ", " + std::to_string(c.first) + ", " + std::to_string(c.second);
  const Compiled r = compile_text(with_general({row, "sfondo uno, 7"}));
  EXPECT_EQ(r.s.errors.error_code, c.code);
  if (c.code != 0) {
    EXPECT_EQ(r.outcome, PhaseOutcome::kStop);
    EXPECT_FALSE(r.s.errors.position_recorded);
    EXPECT_EQ(identity_record(r.s.header).background_one, 0)
        << "rows after the failure are not read";
    return;
  }
  EXPECT_EQ(repetition(r.s), (Triple{c.first, c.second, c.codes}));
  EXPECT_EQ(identity_record(r.s.header).background_one, 7);
}

INSTANTIATE_TEST_SUITE_P(
    Line, LineSignalRepetition,
    ::testing::Values(
        RepetitionCase{"FourCodes", "ripetizione segnali 4 codici", 1000, 1500, 0, 4},
        RepetitionCase{"NineCodes", "ripetizione segnali 9 codici", 1000, 1500, 0, 9},
        RepetitionCase{"FourBeforeNine", "ripetizione segnali 49 codici", 50, 50, 0, 4},
        RepetitionCase{"SecondDistanceZeroClearsTheCount", "ripetizione segnali 4 codici", 1000, 0,
                       0, 0},
        RepetitionCase{"BothDistancesZero", "ripetizione segnali 9 codici", 0, 0, 0, 0},
        RepetitionCase{"NegativeMultipleOf50", "ripetizione segnali 4 codici", -50, 100, 0, 4},
        RepetitionCase{"NoCodeCountIs5", "ripetizione segnali codici", 1000, 1500, 5, 0},
        RepetitionCase{"NoCodeCountIs5EvenWithoutRepetition", "ripetizione segnali codici", 1000, 0,
                       5, 0},
        RepetitionCase{"FirstOffGridIs3", "ripetizione segnali 4 codici", 1025, 1500, 3, 0},
        RepetitionCase{"NegativeFirstOffGridIs3", "ripetizione segnali 4 codici", -25, 1500, 3, 0},
        RepetitionCase{"SecondOffGridIs4", "ripetizione segnali 4 codici", 1000, 1025, 4, 0},
        // 3 is tested before 4, and both before 5.
        RepetitionCase{"FirstCheckedBeforeSecond", "ripetizione segnali", 1025, 1025, 3, 0},
        RepetitionCase{"SecondCheckedBeforeTheCount", "ripetizione segnali", 1000, 1025, 4, 0}),
    [](const auto& info) { return std::string(info.param.name); });

struct CommentCase {
  const char* name;
  std::vector<std::string> rows;
  std::int32_t background;  // background "uno"
};
void PrintTo(const CommentCase& c, std::ostream* os) {
  *os << c.name;
}

class LineGeneralComments : public ::testing::TestWithParam<CommentCase> {};

TEST_P(LineGeneralComments, AreSkippedUpToTenInARow) {
  const Compiled r = compile_text(with_general(GetParam().rows));
  ASSERT_FALSE(r.s.errors.failed());
  EXPECT_EQ(identity_record(r.s.header).background_one, GetParam().background);
}

INSTANTIATE_TEST_SUITE_P(
    Line, LineGeneralComments,
    ::testing::Values(
        CommentCase{"CommentLineBetweenRows",
                    {"sfondo uno, 3", "-- vecchio sfondo uno --", "sfondo uno, 7"},
                    7},
        CommentCase{"MinusInAValue", {"sfondo uno, -7"}, -7},
        // The eleventh of eleven dash fields is processed even though it holds "-".
        CommentCase{"EleventhProcessed", {"-,-,-,-,-,-,-,-,-,-,-- sfondo uno, 7"}, 7},
        CommentCase{"TwelfthIsANewComment", {"-,-,-,-,-,-,-,-,-,-,-,-- sfondo uno, 7"}, 0},
        // A processed bracket field that begins with "-" does not end the section.
        CommentCase{
            "DashBracketKeepsSectionOpen", {"-,-,-,-,-,-,-,-,-,-,-[nota]", "sfondo uno, 7"}, 7},
        CommentCase{"BracketFieldEndsSection", {"[nota]", "sfondo uno, 7"}, 0},
        CommentCase{"BracketsAnywhereEndSection", {"fine ]della[ sezione", "sfondo uno, 7"}, 0}),
    [](const ::testing::TestParamInfo<CommentCase>& info) { return info.param.name; });

TEST(LineGeneral, ObjectRowsBelongAfterTheSectionAndGeneralRowsBefore) {
  const Compiled r = compile_text(with_general({"pendenza, 0, 5", "cartello_indicatore, 350, (F)"},
                                               {"sfondo uno, 7", "pendenza, 0, 3"}));
  ASSERT_FALSE(r.s.errors.failed());
  EXPECT_EQ(r.s.cells.at(0).cell_gradient, 103);
  EXPECT_EQ(r.s.cells.at(8).cell_type, 0);
  EXPECT_EQ(signboard_text(r.s, 80), "");
  EXPECT_EQ(identity_record(r.s.header).background_one, 0);
}

// The last field of a file is read but never processed; reaching the end ends each part.
class LineEndOfFile : public ::testing::TestWithParam<CodeCase> {};

TEST_P(LineEndOfFile, EndsTheReading) {
  EXPECT_EQ(build_code(GetParam().text), GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(
    Line, LineEndOfFile,
    ::testing::Values(
        CodeCase{"GeneralSectionUpToTheEnd", crlf({"[generale]", "lunghezza percorso, 1000"}), 0},
        CodeCase{"LastGeneralFieldUnread",
                 crlf({"[generale]", "lunghezza percorso, 1000", "sfondo uno"}), 0},
        CodeCase{"LastObjectFieldUnread",
                 crlf({"[generale]", "lunghezza percorso, 1000", "[curve]", "cartello_indicatore"}),
                 0},
        CodeCase{"LastObjectFieldWithoutLineEnd",
                 "[generale]\r\nlunghezza percorso, 1000\r\n[curve]\r\npendenza", 0},
        CodeCase{"ObjectCommentsStopAtTheEnd",
                 crlf({"[generale]", "lunghezza percorso, 1000", "[curve]", "-,-"}), 0},
        // General comment fields are read without looking for the end.
        CodeCase{"GeneralCommentsReadPastTheEnd",
                 crlf({"[generale]", "lunghezza percorso, 1000", "-,-"}), 25},
        CodeCase{"RowCutByTheEnd",
                 "[generale]\r\nlunghezza percorso, 1000\r\n[curve]\r\npendenza, 0", 25}),
    [](const ::testing::TestParamInfo<CodeCase>& info) { return info.param.name; });

TEST(LineEndOfFile, GeneralSectionEndedByTheFileStillGetsItsFills) {
  const Compiled r = compile_text(crlf({"[generale]", "lunghezza percorso, 1000"}));
  ASSERT_FALSE(r.s.errors.failed());
  ASSERT_EQ(r.s.cells.last_index(), 160);
  EXPECT_EQ(r.s.cells.at(157).cell_gradient, 100);
  EXPECT_EQ(r.s.cells.at(158).cell_gradient, 0);
  EXPECT_EQ(r.s.geometry->coordinate(7998, 1), 7998.0);
}

TEST(LineEndings, CrLfLfAndLoneCrReadAlike) {
  const std::vector<std::string> lines = {"[generale]",
                                          "lunghezza percorso, 1000",
                                          "ripetizione segnali 4 codici, 1000, 1500",
                                          "[curve]",
                                          "pendenza, 0, 3",
                                          "",
                                          "curvad5, 100, 20",
                                          "montagna, 200, 600, 12",
                                          "cartello_indicatore, 850, (Sottovia)",
                                          "[fine]"};
  std::string lf;
  std::string cr;
  for (const std::string& l : lines) {
    lf += l + "\n";
    cr += l + "\r";
  }
  const Compiled reference = compile_text(crlf(lines));
  ASSERT_FALSE(reference.s.errors.failed());
  ASSERT_EQ(signboard_text(reference.s, 80), "(Sottovia)");
  for (const std::string& text : {lf, cr}) {
    const Compiled r = compile_text(text);
    ASSERT_FALSE(r.s.errors.failed());
    EXPECT_EQ(repetition(r.s), (Triple{1000, 1500, 4}));
    EXPECT_EQ(signboard_text(r.s, 80), "(Sottovia)");
    EXPECT_EQ(r.s.cells.at(18).cell_type, cell_type::kSignboard);
    EXPECT_EQ(r.s.cells.at(7).cell_type, cell_type::kMountainMarker);
    EXPECT_EQ(r.s.cells.at(4).cell_mountain, 2);
    EXPECT_EQ(r.s.cells.at(0).cell_gradient, 103);
    EXPECT_EQ(r.s.geometry->coordinate(2000, 0), reference.s.geometry->coordinate(2000, 0));
    EXPECT_EQ(r.s.geometry->coordinate(2000, 1), reference.s.geometry->coordinate(2000, 1));
  }
}

// ---------------------------------------------------------------- object rows

struct CellRun {
  std::int64_t from, to;
  int value;
};

struct GradientCase {
  const char* name;
  std::vector<std::string> rows;
  std::vector<CellRun> runs;  // every other cell keeps gradient 0
};
void PrintTo(const GradientCase& c, std::ostream* os) {
  *os << c.name;
}

class LineGradient : public ::testing::TestWithParam<GradientCase> {};

TEST_P(LineGradient, FillsCellsUpToEachRow) {
  const GradientCase& c = GetParam();
  const Compiled r = compile_text(line_description(c.rows), 0);
  ASSERT_FALSE(r.s.errors.failed());
  ASSERT_EQ(r.s.cells.last_index(), 340);
  std::vector<int> expected(341, 0);
  std::vector<int> actual(341, 0);
  for (const CellRun& run : c.runs) {
    for (std::int64_t i = run.from; i <= run.to; ++i) expected[i] = run.value;
  }
  for (std::int64_t i = 0; i <= 340; ++i) actual[i] = r.s.cells.at(i).cell_gradient;
  EXPECT_EQ(actual, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Line, LineGradient,
    ::testing::Values(
        GradientCase{"NoRowsIsLevel", {}, {{0, 337, 100}}},
        GradientCase{"WorkedExample",
                     {"pendenza, 0, 0", "pendenza, 450, 2", "pendenza, 550, 0"},
                     {{0, 8, 100}, {9, 10, 102}, {11, 337, 100}}},
        GradientCase{"AnyCaseKeyword", {"PENDENZA, 0, 4"}, {{0, 337, 104}}},
        // n = round(0.5) = 0: nothing written; the value still holds from cell 0.
        GradientCase{"At25WritesNothing",
                     {"pendenza, 25, 7", "pendenza, 100, 3"},
                     {{0, 1, 107}, {2, 337, 103}}},
        // n = round(1.5) = 2
        GradientCase{"At75ReachesCell2",
                     {"pendenza, 75, 7", "pendenza, 200, 3"},
                     {{0, 1, 100}, {2, 3, 107}, {4, 337, 103}}},
        GradientCase{"RowBehindWritesOneCell",
                     {"pendenza, 0, 1", "pendenza, 500, 2", "pendenza, 400, 3"},
                     {{0, 9, 101}, {10, 10, 102}, {11, 337, 103}}},
        // The final fill writes once even from cell P - 2.
        GradientCase{"LastRowAtTheLimit", {"pendenza, 16900, 9"}, {{0, 337, 100}, {338, 338, 109}}},
        GradientCase{"Downhill", {"pendenza, 0, -30"}, {{0, 337, 70}}},
        GradientCase{"KeepsLow8Bits",
                     {"pendenza, 0, 200", "pendenza, 5000, -101"},
                     {{0, 99, 44}, {100, 337, 255}}}),
    [](const ::testing::TestParamInfo<GradientCase>& info) { return info.param.name; });

struct ObjectCommentCase {
  const char* name;
  std::vector<std::string> rows;
  int gradient;  // of cell 0
};
void PrintTo(const ObjectCommentCase& c, std::ostream* os) {
  *os << c.name;
}

class LineObjectComments : public ::testing::TestWithParam<ObjectCommentCase> {};

TEST_P(LineObjectComments, AreSkippedUpToTwoInARow) {
  const Compiled r = compile_text(line_description(GetParam().rows), 0);
  ASSERT_FALSE(r.s.errors.failed());
  EXPECT_EQ(r.s.cells.at(0).cell_gradient, GetParam().gradient);
}

INSTANTIATE_TEST_SUITE_P(
    Line, LineObjectComments,
    ::testing::Values(
        ObjectCommentCase{"CommentLine", {"--- pendenza, 0, 9 ---", "pendenza, 0, 5"}, 105},
        ObjectCommentCase{"TwoDashFields", {"-,-,pendenza, 0, 5"}, 105},
        ObjectCommentCase{"ThirdProcessed", {"-,-,- pendenza, 0, 5"}, 105},
        ObjectCommentCase{"FourthIsANewComment", {"-,-,-,- pendenza, 0, 5"}, 100},
        ObjectCommentCase{"MinusInAValue", {"pendenza, 0, -5"}, 95}),
    [](const ::testing::TestParamInfo<ObjectCommentCase>& info) { return info.param.name; });

// ---------------------------------------------------------------- curves and geometry

constexpr std::int32_t kShortSpan = 7000;  // route length 0

TEST(LineGeometry, StraightLineWithoutCurves) {
  const Compiled r = compile_text(line_description({}, 0));
  ASSERT_FALSE(r.s.errors.failed());
  const GeometryTable& g = *r.s.geometry;
  for (std::int32_t m : {0, 1, 2, 3, 3500, kShortSpan - 2}) {
    EXPECT_EQ(g.coordinate(m, 0), 0.0) << m;
    EXPECT_EQ(g.coordinate(m, 1), static_cast<double>(m)) << m;
  }
  EXPECT_EQ(g.coordinate(kShortSpan - 1, 0), std::nullopt);
  EXPECT_EQ(g.coordinate(kShortSpan, 1), std::nullopt);
  // Points 0 and 1 are 16-bit integers, the next ones floats.
  const auto parts = g.file_parts();
  EXPECT_EQ(std::vector<std::uint8_t>(parts[0].begin(), parts[0].begin() + 10),
            (std::vector<std::uint8_t>{2, 0, 0, 0, 2, 0, 0, 0, 5, 0}));
  EXPECT_EQ(std::vector<std::uint8_t>(parts[1].begin(), parts[1].begin() + 10),
            (std::vector<std::uint8_t>{2, 0, 0, 0, 2, 0, 1, 0, 5, 0}));
}

struct KeywordCase {
  const char* name;
  const char* keyword;
  double curvature;
};
void PrintTo(const KeywordCase& c, std::ostream* os) {
  *os << c.keyword;
}

class LineCurveKeyword : public ::testing::TestWithParam<KeywordCase> {};

// Point 2 of a curve from 0 is (0 + 0 + k * 1, 1 + 1 - k * 0) = (k, 2).
TEST_P(LineCurveKeyword, GivesClassAndSide) {
  const Compiled r = compile_text(line_description({std::string(GetParam().keyword) + ", 0, 2"}));
  ASSERT_FALSE(r.s.errors.failed());
  EXPECT_EQ(r.s.geometry->coordinate(2, 0), GetParam().curvature);
  EXPECT_EQ(r.s.geometry->coordinate(2, 1), 2.0);
}

INSTANTIATE_TEST_SUITE_P(
    Line, LineCurveKeyword,
    ::testing::Values(KeywordCase{"RightClass1", "curvad1", 0.0001},
                      KeywordCase{"LeftClass1", "curvas1", -0.0001},
                      KeywordCase{"RightClass2", "curvad2", 0.0002},
                      KeywordCase{"RightClass3", "curvad3", 0.0004},
                      KeywordCase{"LeftClass4", "curvas4", -0.001},
                      KeywordCase{"LeftClass4InCapitals", "CURVAS4", -0.001},
                      KeywordCase{"RightClass5", "curvad5", 0.002},
                      KeywordCase{"LeftClass5CapitalS", "curvaS5", -0.002},
                      KeywordCase{"RightClass6", "curvad6", 0.003},
                      // The lowest class digit 1 to 6 anywhere in the keyword gives the class.
                      KeywordCase{"LowestDigitOf41", "curvad41", 0.0001},
                      KeywordCase{"LowestDigitOf65", "curvad65", 0.002},
                      KeywordCase{"SevenIsNoClass", "curvad 7 6", 0.003},
                      // Any "s" turns left, even the one in "destra".
                      KeywordCase{"AnySTurnsLeft", "la curva 2 a destra", -0.0002}),
    [](const auto& info) { return std::string(info.param.name); });

struct ClasslessCase {
  const char* name;
  const char* keyword;
};
void PrintTo(const ClasslessCase& c, std::ostream* os) {
  *os << c.keyword;
}

class LineCurveWithoutClass : public ::testing::TestWithParam<ClasslessCase> {};

TEST_P(LineCurveWithoutClass, Is103) {
  const Compiled r = compile_text(line_description(
      {std::string(GetParam().keyword) + ", 100, 20", "cartello_indicatore, 2000, (G)"}));
  EXPECT_EQ(r.s.errors.error_code, 103);
  EXPECT_FALSE(r.s.errors.position_recorded);
  EXPECT_EQ(r.outcome, PhaseOutcome::kStop);
  EXPECT_EQ(r.s.cells.at(41).cell_type, 0);
}

INSTANTIATE_TEST_SUITE_P(Line, LineCurveWithoutClass,
                         ::testing::Values(ClasslessCase{"OnlyDigitSeven", "curvad7"},
                                           ClasslessCase{"NoDigit", "curvas"},
                                           ClasslessCase{"OnlyDigitsZeroAndNine", "CURVAD09"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LineCurve, RowsAreSkippedWithoutGeometry) {
  const Compiled r =
      compile_text(line_description({"curvad7, 0, 10", "curvad1, 99999, 5", "pendenza, 0, 3"}), 0);
  EXPECT_FALSE(r.s.errors.failed());
  EXPECT_FALSE(r.s.geometry.has_value());
  EXPECT_EQ(r.s.cells.at(0).cell_gradient, 103);
}

struct Point {
  std::int32_t m;
  double lateral, along;
};

struct GeometryCase {
  const char* name;
  std::vector<std::string> rows;
  std::vector<Point> points;
};
void PrintTo(const GeometryCase& c, std::ostream* os) {
  *os << c.name;
}

class LineCurveGeometry : public ::testing::TestWithParam<GeometryCase> {};

// Expected values were worked out independently in IEEE double arithmetic in the order
// x(m-1) + d1 + k * d2 and y(m-1) + d2 - k * d1.
TEST_P(LineCurveGeometry, MatchesIndependentlyComputedPoints) {
  const Compiled r = compile_text(line_description(GetParam().rows, 0));
  ASSERT_FALSE(r.s.errors.failed());
  for (const Point& p : GetParam().points) {
    EXPECT_EQ(r.s.geometry->coordinate(p.m, 0), p.lateral) << "point " << p.m;
    EXPECT_EQ(r.s.geometry->coordinate(p.m, 1), p.along) << "point " << p.m;
  }
  EXPECT_EQ(r.s.geometry->coordinate(kShortSpan - 1, 0), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(
    Line, LineCurveGeometry,
    ::testing::Values(GeometryCase{"CurveFromTheStart",
                                   {"curvad5, 0, 3"},
                                   {{2, 0x1.0624dd2f1a9fcp-9, 0x1.0000000000000p+1},
                                    {3, 0x1.89374bc6a7efap-8, 0x1.7fffde7210be9p+1},
                                    {4, 0x1.47ae147ae147bp-7, 0x1.ffffbce4217d2p+1},
                                    {5, 0x1.cac083126e979p-7, 0x1.3fffcdab191dep+2},
                                    {6, 0x1.26e978d4fdf3cp-6, 0x1.7fffbce4217d3p+2},
                                    {100, 0x1.9374bc6a7efa4p-2, 0x1.8fff993d53467p+6},
                                    {6998, 0x1.bfc6a7ef9e1c0p+4, 0x1.b55f8d60a5c7dp+12}}},
                      GeometryCase{"StraightRunThenCurve",
                                   {"curvad5, 5, 2"},
                                   {{5, 0.0, 5.0},
                                    {6, 0x1.0624dd2f1a9fcp-9, 0x1.8000000000000p+2},
                                    {7, 0x1.89374bc6a7efap-8, 0x1.bfffef39085f5p+2},
                                    {8, 0x1.47ae147ae147bp-7, 0x1.ffffde7210beap+2},
                                    {9, 0x1.cac083126e979p-7, 0x1.1fffe6d58c8f0p+3}}},
                      // The second row starts behind point 11: no straight run, it curves to 15.
                      GeometryCase{"OverlappingCurve",
                                   {"curvad5, 0, 10", "curvas5, 5, 10"},
                                   {{10, 0x1.70a21411fb1adp-4, 0x1.3ffc1160207c6p+3},
                                    {11, 0x1.b22ae4497a51ep-4, 0x1.5ffb2ee26ddecp+3},
                                    {15, 0x1.333221657daf9p-3, 0x1.dff9f01d5ad21p+3},
                                    {16, 0x1.4394806680e2ep-3, 0x1.fff9e7b9b5398p+3},
                                    {17, 0x1.53f6df6784163p-3, 0x1.0ffcefab07d08p+4}}},
                      GeometryCase{"LeftThenRight",
                                   {"curvas6, 100, 400", "curvad4, 1000, 50"},
                                   {{500, -0x1.aa86599512f49p+7, 0x1.9a9a1c8da1a05p+8},
                                    {501, -0x1.ac6469bb125bdp+7, 0x1.9af70b08fc173p+8},
                                    {1050, -0x1.6b298a410d331p+9, 0x1.31b89f6587335p+9},
                                    {6998, -0x1.8155a55da2300p+12, 0x1.7cb2aad4dbe55p+11}}}),
    [](const ::testing::TestParamInfo<GeometryCase>& info) { return info.param.name; });

struct GeometryLimitCase {
  const char* name;
  std::string row;
  std::int32_t route_length;
  std::int32_t code;
};
void PrintTo(const GeometryLimitCase& c, std::ostream* os) {
  *os << c.name;
}

class LineGeometryLimit : public ::testing::TestWithParam<GeometryLimitCase> {};

TEST_P(LineGeometryLimit, StopsAtPointOneMillionOrTheTableEnd) {
  const GeometryLimitCase& c = GetParam();
  EXPECT_EQ(build_code(line_description({c.row}, c.route_length)), c.code);
}

INSTANTIATE_TEST_SUITE_P(
    Line, LineGeometryLimit,
    ::testing::Values(
        GeometryLimitCase{"CurveEndsAt999999", "curvad1, 999990, 9", 1000000, 0},
        GeometryLimitCase{"CurveReachesOneMillion", "curvad1, 999990, 10", 1000000, 103},
        GeometryLimitCase{"StraightRunReachesOneMillion", "curvad1, 1000000, 0", 1000000, 103},
        GeometryLimitCase{"CurveEndsOnTheLastPoint", "curvad1, 0, 7000", 0, 0},
        GeometryLimitCase{"CurvePastTheLastPoint", "curvad1, 0, 7001", 0, 25}),
    [](const ::testing::TestParamInfo<GeometryLimitCase>& info) { return info.param.name; });

// ---------------------------------------------------------------- range check

struct RangeCase {
  const char* name;
  std::string before, after;  // the row is before + position + after
};
void PrintTo(const RangeCase& c, std::ostream* os) {
  *os << c.name;
}

class LineRange : public ::testing::TestWithParam<RangeCase> {};

// Route 10000 m: P = 340, so (p + 100) / 50 <= 340 allows p up to 16900.
TEST_P(LineRange, BeyondTheLastCellEndsTheReadingWith15) {
  const RangeCase& c = GetParam();
  const auto text = [&](std::int32_t p) {
    return line_description({"pendenza, 0, 4", c.before + std::to_string(p) + c.after,
                             "cartello_indicatore, 2000, (G)"});
  };
  const Compiled inside = compile_text(text(16900));
  EXPECT_FALSE(inside.s.errors.failed());
  EXPECT_EQ(inside.s.cells.at(41).cell_type, cell_type::kSignboard);

  const Compiled r = compile_text(text(16901));
  EXPECT_EQ(r.s.errors.error_code, 15);
  EXPECT_EQ(r.s.errors.error_position, 16901);
  EXPECT_EQ(r.outcome, PhaseOutcome::kContinue);
  EXPECT_EQ(r.s.cells.at(41).cell_type, 0) << "reading ended at the failing row";
  // The final fills still run.
  EXPECT_EQ(r.s.cells.at(337).cell_gradient, 104);
  EXPECT_EQ(r.s.cells.at(338).cell_gradient, 0);
  EXPECT_EQ(r.s.geometry->coordinate(16998, 1), 16998.0);
  EXPECT_EQ(r.s.geometry->coordinate(16999, 1), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(
    Line, LineRange,
    ::testing::Values(RangeCase{"Gradient", "pendenza, ", ", 5"},
                      RangeCase{"Curve", "curvad1, ", ", 100"},
                      RangeCase{"Mountain", "montagna, ", ", 17000, 2"},
                      RangeCase{"SpeedBoard", "indicatori_vmax, ", ", 60, 60, 60, 0, 0, 0, 0, 0"},
                      RangeCase{"Signboard", "cartello_indicatore, ", ", (F)"}),
    [](const ::testing::TestParamInfo<RangeCase>& info) { return info.param.name; });

TEST(LineRange, TrainIsStillCompiledAndTheCodeReported) {
  const Scenario s = test_support::compile(line_description({"pendenza, 16901, 5"}),
                                           test_support::train_description({"velocita, 0, 100"}));
  EXPECT_EQ(s.errors.error_code, 15);
  EXPECT_EQ(s.errors.error_position, 16901);
  EXPECT_EQ(s.cells.at(0).cell_speed, 20);
}

// ---------------------------------------------------------------- signboards, boards, mountains

TEST(LineSignboard, TakesCellsAndRecordsFrom80Down) {
  const Compiled r = compile_text(line_description({
      "cartello_indicatore, 350, (F)",
      "cartello_indicatore,   850,   (Sottovia)",
      "CARTELLO_INDICATORE, 1250, (Prot. )(2 P.L.)",
      "Cartello Indicatore, 75, (A)",
      "cartello_indicatore, 125, (B)",
  }));
  ASSERT_FALSE(r.s.errors.failed());
  const struct {
    std::int64_t cell;
    int record;
    const char* text;
  } expected[] = {{8, 80, "(F)"},
                  {18, 79, "(Sottovia)"},
                  {26, 78, "(Prot. )(2 P.L.)"},
                  {2, 77, "(A)"},
                  {4, 76, "(B)"}};
  for (const auto& e : expected) {
    EXPECT_EQ(r.s.cells.at(e.cell).cell_type, cell_type::kSignboard) << e.text;
    EXPECT_EQ(r.s.cells.at(e.cell).cell_value, e.record) << e.text;
    EXPECT_EQ(signboard_text(r.s, e.record), e.text);
  }
  EXPECT_EQ(signboard_text(r.s, 75), "");
  EXPECT_EQ(r.s.signboard_record, 75);
}

TEST(LineSignboard, TextEndsAtAComma) {
  const Compiled r =
      compile_text(line_description({"cartello_indicatore, 350, (Fine, pendenza), 0, 5"}));
  ASSERT_FALSE(r.s.errors.failed());
  EXPECT_EQ(signboard_text(r.s, 80), "(Fine");
  // The rest of the line is read as further fields.
  EXPECT_EQ(r.s.cells.at(0).cell_gradient, 105);
}

TEST(LineSignboard, ReplacesAMountainMarker) {
  const Compiled r = compile_text(
      line_description({"montagna, 1100, 1550, 12", "cartello_indicatore, 1200, (F)"}));
  ASSERT_FALSE(r.s.errors.failed());
  EXPECT_EQ(r.s.cells.at(25).cell_type, cell_type::kSignboard);
  EXPECT_EQ(r.s.cells.at(25).cell_value, 80);
  EXPECT_EQ(r.s.cells.at(25).cell_mountain, 2);
  EXPECT_EQ(r.s.cells.at(29).cell_type, cell_type::kMountainMarker);
}

struct TakenCase {
  const char* name;
  std::vector<std::string> rows;  // the last one is refused
  std::int32_t code, position;
  std::int64_t cell;
  std::uint8_t type_kept;
};
void PrintTo(const TakenCase& c, std::ostream* os) {
  *os << c.name;
}

class LineTakenCell : public ::testing::TestWithParam<TakenCase> {};

TEST_P(LineTakenCell, StopsTheCompileWithThePosition) {
  const TakenCase& c = GetParam();
  std::vector<std::string> rows = c.rows;
  rows.emplace_back("cartello_indicatore, 2000, (G)");
  const Compiled r = compile_text(line_description(rows));
  EXPECT_EQ(r.s.errors.error_code, c.code);
  EXPECT_EQ(r.s.errors.error_position, c.position);
  EXPECT_TRUE(r.s.errors.position_recorded);
  EXPECT_EQ(r.outcome, PhaseOutcome::kStop);
  EXPECT_EQ(r.s.cells.at(c.cell).cell_type, c.type_kept);
  EXPECT_EQ(r.s.cells.at(41).cell_type, 0);
  EXPECT_EQ(build_code(line_description(rows)), c.code);
}

INSTANTIATE_TEST_SUITE_P(
    Line, LineTakenCell,
    ::testing::Values(TakenCase{"SignboardOnSignboard",
                                {"cartello_indicatore, 350, (A)", "cartello_indicatore, 360, (B)"},
                                6,
                                360,
                                8,
                                cell_type::kSignboard},
                      TakenCase{"SignboardOnBoard",
                                {"indicatori_vmax, 350, 60, 60, 60, 0, 0, 0, 0, 0",
                                 "cartello_indicatore, 374, (B)"},
                                6,
                                374,
                                8,
                                cell_type::kSpeedBoard},
                      TakenCase{"SignboardOnMarkedThenSigned",
                                {"montagna, 1100, 1550, 12", "cartello_indicatore, 1200, (F)",
                                 "cartello_indicatore, 1210, (G)"},
                                6,
                                1210,
                                25,
                                cell_type::kSignboard},
                      TakenCase{"BoardOnSignboard",
                                {"cartello_indicatore, 900, (F)",
                                 "indicatori_vmax, 900, 60, 80, 80, 0, , , , 0"},
                                21,
                                900,
                                19,
                                cell_type::kSignboard}),
    [](const ::testing::TestParamInfo<TakenCase>& info) { return info.param.name; });

TEST(LineSpeedBoardRow, ReadsNineValuesWithEmptyRightSide) {
  const Compiled r =
      compile_text(line_description({"indicatori_vmax,  900,  60,  80,  80,  0,  ,  ,  ,  0",
                                     "INDICATORI_V, 12950, 80, 85, 85, 2, 80, 85, 85, 1"}));
  ASSERT_FALSE(r.s.errors.failed());
  const TrackCell& a = r.s.cells.at(19);
  EXPECT_EQ(a.cell_type, cell_type::kSpeedBoard);
  EXPECT_EQ(std::vector<int>({a.cell_value, a.cell_value_2, a.cell_value_3, a.cell_value_4}),
            (std::vector<int>{1200, 1600, 1600, 0}));
  const TrackCell& b = r.s.cells.at(260);
  EXPECT_EQ(b.cell_type, cell_type::kSpeedBoard);
  EXPECT_EQ(std::vector<int>({b.cell_value, b.cell_value_2, b.cell_value_3, b.cell_value_4}),
            (std::vector<int>{1616, 1717, 1717, 21}));
}

TEST(LineMountainRow, PassesTheRowToTheRecorder) {
  const Compiled r =
      compile_text(line_description({"montagna, 1100, 1550, 12", "MONTAGNA, 2250, 2450, 12"}));
  ASSERT_FALSE(r.s.errors.failed());
  EXPECT_EQ(r.s.mountains.mountain_count, 2);
  EXPECT_EQ(r.s.cells.at(22).cell_mountain, 2);
  EXPECT_EQ(r.s.cells.at(30).cell_mountain, 2);
  EXPECT_EQ(r.s.cells.at(31).cell_mountain, 0);
  EXPECT_EQ(r.s.cells.at(48).cell_type, cell_type::kMountainMarker);
}

TEST(LineMountainRow, EightyFirstStretchIs25) {
  std::vector<std::string> rows;
  for (int n = 1; n <= 80; ++n) {
    rows.push_back("montagna, " + std::to_string(n * 100) + ", " + std::to_string(n * 100 + 50) +
                   ", 2");
  }
  EXPECT_EQ(build_code(line_description(rows)), 0);
  rows.emplace_back("montagna, 9000, 9050, 2");
  EXPECT_EQ(build_code(line_description(rows)), 25);
}

// ---------------------------------------------------------------- bad input

class LineBadInput : public ::testing::TestWithParam<CodeCase> {};

TEST_P(LineBadInput, IsReportedNotCrashed) {
  EXPECT_EQ(build_code(GetParam().text, GetParam().j), GetParam().code);
}

std::string route(const std::string& length) {
  return line_description_with({"lunghezza percorso, " + length}, {});
}

INSTANTIATE_TEST_SUITE_P(
    Line, LineBadInput,
    ::testing::Values(
        CodeCase{"LengthBeyond64Bits", route("99999999999999999999999"), 25},
        CodeCase{"LengthBeyond32Bits", route("2147483648"), 25},
        CodeCase{"LengthBelow32Bits", route("-2147483649"), 25},
        CodeCase{"LengthInt32Max", route("2147483647"), 1},
        CodeCase{"LengthInt32Min", route("-2147483648"), 25},
        CodeCase{"NegativeLength", route("-100000"), 25},
        CodeCase{"LengthLeavingNoGeometry", route("-7000"), 25},
        CodeCase{"LengthWithLetters", route("10a00"), 25},
        CodeCase{"LengthWord", route("dieci"), 25}, CodeCase{"LengthWithPlus", route("+5"), 25},
        CodeCase{"LengthWithDecimals", route("5.0"), 25},
        CodeCase{"LengthWithExponent", route("1e3"), 25},
        CodeCase{"LengthAfterTab", route("\t5"), 25}, CodeCase{"LoneMinus", route("-"), 25},
        CodeCase{"NoRouteLength", line_description_with({}, {"pendenza, 0, 5"}), 25},
        CodeCase{"NoRouteLengthNoRows", line_description_with({}, {}), 25},
        CodeCase{"NoRouteLengthNoGeometry", line_description_with({}, {}), 25, 0},
        CodeCase{"GradientWithLetters", line_description({"pendenza, 0, 12x"}), 25},
        CodeCase{"NegativeSignboard", line_description({"cartello_indicatore, -100, (F)"}), 25},
        CodeCase{"NegativeBoard",
                 line_description({"indicatori_vmax, -100, 60, 60, 60, 0, 0, 0, 0, 0"}), 25},
        CodeCase{"NegativeMountain", line_description({"montagna, -1000, 500, 2"}), 25},
        CodeCase{"MountainPastTheArray", line_description({"montagna, 0, 2147483647, 2"}), 25},
        CodeCase{"HugeCurve", line_description({"curvad1, 0, 2147483647"}), 25},
        CodeCase{"BoardSpeedTooLarge",
                 line_description({"indicatori_vmax, 900, 2000, 60, 60, 0, 0, 0, 0, 0"}), 25},
        // Rows behind the previous one write one cell each; the final fill writes once more.
        CodeCase{"GradientRowsBehindReachP",
                 line_description({"pendenza, 16900, 1", "pendenza, 100, 1", "pendenza, 100, 1"}),
                 0},
        CodeCase{"GradientRowsBehindPassP",
                 line_description({"pendenza, 16900, 1", "pendenza, 100, 1", "pendenza, 100, 1",
                                   "pendenza, 100, 1"}),
                 25}),
    [](const ::testing::TestParamInfo<CodeCase>& info) { return info.param.name; });

}  // namespace
}  // namespace tracciato
