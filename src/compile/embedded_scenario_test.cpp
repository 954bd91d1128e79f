#include "model/embedded_scenario.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "format/compiled_files.h"
#include "testing/descriptions.h"
#include "textio/field_reader.h"
#include "textio/text_writer.h"

namespace tracciato {
namespace {

std::vector<std::string> lines_of(std::string_view text) {
  const auto slots = text_slots(text);
  return {slots.begin(), slots.end() - 1};
}

// The rows from index `first` to `last` with their numbers read the compiler's way.
struct Row {
  std::string keyword;
  std::vector<std::int32_t> values;
  std::string text;
};
std::vector<Row> rows(const std::vector<std::string>& lines, std::size_t first, std::size_t last,
                      int numbers) {
  std::vector<Row> out;
  for (std::size_t i = first; i <= last; ++i) {
    FieldReader r(lines[i]);
    Row row{std::string(r.read_text()), {}, {}};
    for (int k = 0; k < numbers; ++k) row.values.push_back(r.read_number());
    if (!r.at_end()) row.text = std::string(r.read_text());
    out.push_back(row);
  }
  return out;
}

bool increasing(const std::vector<Row>& rs) {
  return std::is_sorted(rs.begin(), rs.end(),
                        [](const Row& a, const Row& b) { return a.values[0] <= b.values[0]; }) &&
         std::adjacent_find(rs.begin(), rs.end(), [](const Row& a, const Row& b) {
           return a.values[0] == b.values[0];
         }) == rs.end();
}

bool has_line(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

class EmbeddedLine : public ::testing::Test {
 protected:
  std::vector<std::string> lines = lines_of(embedded_scenario().line);
};

TEST_F(EmbeddedLine, SectionsStandWhereTheLayoutPutsThem) {
  ASSERT_EQ(lines.size(), 450u);
  const std::map<std::size_t, std::string> headers = {
      {0, "[generale]"},   {9, "[curve]"},         {215, "[pendenze]"}, {352, "[montagne]"},
      {372, "[cartelli]"}, {395, "[indicazioni]"}, {449, "[fine]"}};
  for (const auto& [index, header] : headers) EXPECT_EQ(lines[index], header);
  const std::vector<std::string> general = {"lunghezza percorso,    136000",
                                            "progressiva chilometrica uno,    0,    137350,    1",
                                            "progressiva chilometrica due,    0,    0,    0",
                                            "progressiva chilometrica tre,    0,    0,    0",
                                            "sfondo uno,    78300",
                                            "sfondo due,    1",
                                            "sfondo tre,    26800",
                                            "ripetizione segnali 4 codici,    0    ,0"};
  EXPECT_EQ(std::vector<std::string>(lines.begin() + 1, lines.begin() + 9), general);
}

TEST_F(EmbeddedLine, QuotedRowsAppearVerbatim) {
  for (const char* row : {"curvas5,  300,  100",
                          "curvad4,  82650,  1200",
                          "curvas1,  110350,  200",
                          "curvad5,  136450,  100",
                          "pendenza,   0,    0",
                          "pendenza,  450,   2",
                          "pendenza,  14350,   -30",
                          "pendenza,  134550,   0",
                          "montagna,   1100,  1550,  12",
                          "montagna,   14300,  14350,  2",
                          "montagna,   26700,  26800,  11",
                          "montagna,   114300,  114400,  12",
                          "indicatori_vmax,  900,  60,  80,  80,  0,  ,  ,  ,  0",
                          "indicatori_vmax,  12950,  80,  85,  85,  0,  80,  85,  85,  0",
                          "indicatori_vmax,  91550,  60,  60,  60,  2,  ,  ,  ,  0",
                          "indicatori_vmax,  124450,  125,  135,  140,  0,  ,  ,  ,  0",
                          "cartello_indicatore,  850,   (F)",
                          "cartello_indicatore,  5100,   (Sottovia)",
                          "cartello_indicatore,  16350,   (Prot. )(3 P.L.)",
                          "cartello_indicatore,  135850,   (P.L.    )(Km 1+452)"}) {
    EXPECT_TRUE(has_line(lines, row)) << row;
  }
}

TEST_F(EmbeddedLine, CurvesKeepTheirCountsAndNeverOverlap) {
  const auto curves = rows(lines, 10, 214, 2);
  std::map<char, int> classes;
  int left = 0;
  for (std::size_t i = 0; i < curves.size(); ++i) {
    const Row& c = curves[i];
    ASSERT_EQ(c.keyword.substr(0, 5), "curva");
    left += c.keyword[5] == 's';
    ++classes[c.keyword[6]];
    EXPECT_TRUE(c.values[1] >= 50 && c.values[1] <= 1200) << c.keyword;
    if (i > 0) {
      EXPECT_GE(c.values[0], curves[i - 1].values[0] + curves[i - 1].values[1]);
    }
  }
  EXPECT_EQ(left, 103);
  EXPECT_EQ(classes,
            (std::map<char, int>{{'1', 1}, {'2', 2}, {'3', 19}, {'4', 77}, {'5', 76}, {'6', 30}}));
  EXPECT_EQ(curves.front().values[0], 300);
  EXPECT_EQ(curves.back().values[0] + curves.back().values[1], 136550);
}

TEST_F(EmbeddedLine, ObjectRowsKeepTheirRanges) {
  const auto gradients = rows(lines, 216, 351, 2);
  EXPECT_TRUE(increasing(gradients));
  for (const Row& g : gradients) {
    EXPECT_EQ(g.values[0] % 50, 0);
    EXPECT_TRUE(g.values[1] >= -30 && g.values[1] <= 30);
  }
  EXPECT_EQ(gradients.back().values[0], 134550);

  const auto mountains = rows(lines, 353, 371, 3);
  EXPECT_EQ(mountains.front().values[0], 1100);
  EXPECT_EQ(mountains.back().values[0], 114300);
  EXPECT_EQ(std::count_if(mountains.begin(), mountains.end(),
                          [](const Row& m) { return m.values[2] == 2; }),
            1);
  for (const Row& m : mountains)
    EXPECT_TRUE(m.values[2] == 2 || m.values[2] == 11 || m.values[2] == 12);

  const auto boards = rows(lines, 373, 394, 9);
  EXPECT_TRUE(increasing(boards));
  EXPECT_EQ(boards.back().values[0], 124450);
  EXPECT_EQ(
      std::count_if(boards.begin(), boards.end(), [](const Row& b) { return b.values[5] != 0; }),
      1);

  const auto signboards = rows(lines, 396, 448, 1);
  EXPECT_TRUE(increasing(signboards));
  EXPECT_EQ(signboards.front().values[0], 350);
  EXPECT_EQ(signboards.back().values[0], 135850);
}

class EmbeddedTrain : public ::testing::Test {
 protected:
  std::vector<std::string> lines = lines_of(embedded_scenario().train);
};

TEST_F(EmbeddedTrain, LayoutAndQuotedRows) {
  ASSERT_EQ(lines.size(), 118u);
  EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 8),
            (std::vector<std::string>{"[generale]", "numero vetture,    4",
                                      "percentuale massa frenata,    105", "sabbia,    100",
                                      "orologio,    14              9             45 ",
                                      "[aderenze]", "aderenza,   0,    100", "[vel_limite]"}));
  const std::map<std::size_t, std::string> headers = {{29, "[stazioni]"},
                                                      {55, "[rallentamenti]"},
                                                      {59, "[segnali]"},
                                                      {116, "[codici]"},
                                                      {117, "[fine]"}};
  for (const auto& [index, header] : headers) EXPECT_EQ(lines[index], header);
  EXPECT_EQ(std::vector<std::string>(lines.begin() + 56, lines.begin() + 59),
            (std::vector<std::string>{"rallentamento,   27150,    30,   50, 1,  0,  0",
                                      "rallentamento,   63800,    60,  500, 1,  0,  0",
                                      "rallentamento,   72400,    50,  200, 1,  1,  0"}));
  for (const char* row :
       {"velocita,       0,    30", "velocita,     900,    80", "velocita,   94150,   130",
        "velocita,  135900,    30",
        "stazione,       0,  7,  300,  1, 0, 0,  4,1,0,  2,1,1,    1,  14,10, 0, BRENZANO C.le",
        "stazione,  137350,  6,  800,  0, 0, 0,  1,1,0,  2,1,1,    0,  16,15, 0, OSTUVIA CENTRALE",
        "segnale,     950,   1, 4, 1,  0, 0,    0,  0,0,0, 0",
        "segnale,   59650,   2, 3, 1,  0, 0,    0,  0,0,0, 235",
        "segnale,  133100,   2, 4, 1,  1, 0,    2,  2,1,1, 0",
        "segnale,  135800,   2, 2, 3,  1, 0,    0,  0,0,0, 0",
        "segnale,  104300,   1, 4, 1,  0, 0,    1,  3,1,0, 0"}) {
    EXPECT_TRUE(has_line(lines, row)) << row;
  }
}

TEST_F(EmbeddedTrain, RowsKeepTheirRanges) {
  const auto speeds = rows(lines, 8, 28, 2);
  EXPECT_TRUE(increasing(speeds));
  for (const Row& v : speeds) {
    EXPECT_EQ(v.keyword, "velocita");
    EXPECT_TRUE(v.values[1] >= 30 && v.values[1] <= 140 && v.values[1] % 5 == 0);
  }
  const auto stations = rows(lines, 30, 54, 16);
  EXPECT_TRUE(increasing(stations));
  const std::set<int> middle_kinds = {2, 11, 12, 21, 22, 26};
  for (std::size_t i = 1; i + 1 < stations.size(); ++i) {
    const Row& s = stations[i];
    EXPECT_TRUE(middle_kinds.contains(s.values[1])) << s.text;
    EXPECT_TRUE(s.values[2] >= 200 && s.values[2] <= 1000) << s.text;
    const int stop = s.values[12];
    EXPECT_TRUE(stop == 0 || stop == 50 || stop == 60) << s.text;
    const int departure = (s.values[13] * 60 + s.values[14]) * 60 + s.values[15];
    if (stop != 0) {
      EXPECT_TRUE(departure >= 51300 && departure <= 57900) << s.text;
    }
  }
  const auto signals = rows(lines, 60, 115, 11);
  EXPECT_TRUE(increasing(signals));
  EXPECT_EQ(signals.front().values[0], 950);
  EXPECT_EQ(signals.back().values[0], 135800);
}

TEST(EmbeddedScenario, CompilesWithoutErrorIntoItsKnownShape) {
  const EmbeddedScenario& e = embedded_scenario();
  const auto crlf_of = [](std::string_view t) { return test_support::crlf(lines_of(t)); };
  const Scenario s =
      test_support::compile(crlf_of(e.line), crlf_of(e.train), 1, "BrenzanoC_OstuviaC", "4417");
  ASSERT_EQ(s.errors.error_code, 0) << s.errors.explanation;
  EXPECT_EQ(s.header.at(84).record_end, 136000);
  EXPECT_EQ(s.cells.last_index(), 2860);
  EXPECT_EQ(encode_cells(s.cells).size(), 42915u);
  EXPECT_EQ(s.mountains.mountain_count, 19);
  EXPECT_EQ(s.signboard_record, 27);
  for (int i = 28; i <= 80; ++i) EXPECT_FALSE(s.header.at(i).record_text.empty()) << i;
  for (int i = 1; i <= 25; ++i)
    EXPECT_NE(s.header.at(i).record_position + s.header.at(i).record_end, 0) << i;
  EXPECT_EQ(s.header.at(1).record_text, "BRENZANO C.le");
  EXPECT_EQ(s.header.at(25).record_text, "OSTUVIA CENTRALE");
  EXPECT_TRUE(s.header.at(26).record_text.empty());
  EXPECT_TRUE(s.header.at(27).record_text.empty());
}

}  // namespace
}  // namespace tracciato
