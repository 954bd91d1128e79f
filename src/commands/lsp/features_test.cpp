#include "commands/lsp/features.h"

#include <gtest/gtest.h>

#include "testing/descriptions.h"

namespace tracciato::lsp {
namespace {

using nlohmann::json;

// Kilometres run down from km 20+000 at 0 m.
const std::string kLine = test_support::line_description_with(
    {"lunghezza percorso, 10000", "progressiva chilometrica uno, 0, 20000, 1",
     "ripetizione segnali 4 codici, 1000, 1500"},
    {"pendenza, 0, 5", "curvas3, 2000, 300", "cartello_indicatore, 4000, (Fine Ponte)"});
const std::string kTrain = test_support::train_description(
    {"segnale, 3000, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0",
     "stazione, 5000, 2, 200, 0, 0, 0, 1,1,0, 2,1,1, 60, 14,15,0, CITT\xC3\x80 NUOVA",
     "rallentamento, 6000, 60, 500, 0, 0, 0"});

std::string hover_text(const std::string& text, bool train, const std::string& row) {
  const int line = static_cast<int>(
      std::count(text.begin(), text.begin() + std::ptrdiff_t(text.find(row)), '\n'));
  const json h = hover(text, train, {line, 2}, kilometres_of(kLine));
  return h.is_null() ? "" : h["contents"]["value"].get<std::string>();
}

struct HoverCase {
  const char* name;
  bool train;
  std::string row;
  std::vector<std::string> shown;
};

class Hovers : public ::testing::TestWithParam<HoverCase> {};

TEST_P(Hovers, TellTheRowsKindPlaceCellAndFieldsByName) {
  const std::string text =
      hover_text(GetParam().train ? kTrain : kLine, GetParam().train, GetParam().row);
  for (const std::string& part : GetParam().shown)
    EXPECT_NE(text.find(part), std::string::npos) << part << " in\n" << text;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Hovers,
    ::testing::Values(
        HoverCase{"Station",
                  true,
                  "stazione",
                  {"**station row** at 5,000 m · km 15+000 · departs 14:15:00, stop 60",
                   "platform length: `200` m", "name: `CITT\xC3\x80 NUOVA`"}},
        HoverCase{"Signal",
                  true,
                  "segnale",
                  {"**signal row** at 3,000 m · km 17+000 · cell 61", "timer: `0` s"}},
        HoverCase{"GradientIsARunFromItsCell",
                  false,
                  "pendenza",
                  {"at 0 m · km 20+000 · cell 0", "gradient: `5` per mille\n",
                   "  - -100 to 155 per mille; + 100, low 8 bits; holds until the next row"}},
        HoverCase{"CurveWithItsClassAndSide",
                  false,
                  "curvas3",
                  {"class 3, radius 2,500 m, left", "length: `300` m"}},
        HoverCase{"SignboardTextWithItsComma", false, "cartello", {"text: `(Fine Ponte)`"}},
        HoverCase{"GeneralRowWithoutPosition",
                  false,
                  "lunghezza",
                  {"**route length row**", "route length: `10000` m"}}),
    [](const auto& info) { return std::string(info.param.name); });

struct QuotedCase {
  const char* name;
  std::string row;
  std::string written;  // the free text of the row
  std::string shown;    // the field's line in the hover
};

class QuotedTexts : public ::testing::TestWithParam<QuotedCase> {};

// Markup in a name would otherwise show as a link or an image.
TEST_P(QuotedTexts, ShowEveryCharacterAsWrittenAndNothingAsMarkup) {
  const std::string row = GetParam().row + GetParam().written;
  const bool train = row.starts_with("stazione");
  const std::string text =
      train ? test_support::train_description({row})
            : test_support::line_description_with({"lunghezza percorso, 10000"}, {row});
  EXPECT_NE(hover_text(text, train, row).find(GetParam().shown), std::string::npos)
      << hover_text(text, train, row);
}

INSTANTIATE_TEST_SUITE_P(
    Names, QuotedTexts,
    ::testing::Values(
        QuotedCase{
            "StationNameWithMarkup", "stazione, 5000, 2, 200, 0, 0, 0, 1,1,0, 2,1,1, 60, 14,15,0, ",
            "A`b ``c [x](y) *s* _u_ ![x](y)", "- name: ```A`b ``c [x](y) *s* _u_ ![x](y)```\n"},
        QuotedCase{"SignboardTextEndingInABacktick", "cartello_indicatore, 4000, ",
                   "![x](http://a/b.png) `", "- text: `` ![x](http://a/b.png) ` ``\n"},
        QuotedCase{"SignboardTextStartingWithBackticks", "cartello_indicatore, 4000, ", "```code",
                   "- text: ```` ```code ````\n"}),
    [](const auto& info) { return std::string(info.param.name); });

enum class In { kTrain, kLineGeneral, kLineObjects };

struct StoredCase {
  const char* name;
  In in;
  std::string row;
  std::string shown;
};

class StoredValues : public ::testing::TestWithParam<StoredCase> {};

TEST_P(StoredValues, AreToldWhereTheSimulatorGetsOtherThanWhatIsWritten) {
  const StoredCase& c = GetParam();
  const std::string text = c.in == In::kTrain ? test_support::train_description({c.row})
                           : c.in == In::kLineGeneral
                               ? test_support::line_description_with({c.row}, {})
                               : test_support::line_description({c.row});
  const std::string shown = hover_text(text, c.in == In::kTrain, c.row);
  EXPECT_NE(shown.find(c.shown), std::string::npos) << c.shown << " in\n" << shown;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, StoredValues,
    ::testing::Values(
        StoredCase{"SpeedRoundedToFive", In::kTrain, "velocita, 0, 83",
                   "speed limit: `83` km/h · stored as 85 km/h\n"},
        StoredCase{"SpeedBeyondItsField", In::kTrain, "velocita, 0, 1300",
                   "speed limit: `1300` km/h · does not fit: the compile fails (error 25)\n"},
        StoredCase{"GradientBelowItsByte", In::kLineObjects, "pendenza, 3000, -150",
                   "gradient: `-150` per mille · stored as 106 per mille\n"},
        StoredCase{"AdhesionInItsLow8Bits", In::kTrain, "aderenza, 0, 300",
                   "adhesion: `300` · stored as 44\n"},
        StoredCase{"SignalOffTheGrid", In::kTrain, "segnale, 3020, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0",
                   "position: `3020` m · goes to cell 61, at 3,000 m\n"},
        StoredCase{"RunOffTheGridFromItsCell", In::kTrain, "velocita, 75, 60",
                   "position: `75` m · goes to cell 2, at 100 m\n"},
        StoredCase{"DecreasingKilometres", In::kLineGeneral,
                   "progressiva chilometrica uno, 0, 20000, 1",
                   "kilometre at the start: `20000` m · stored as 20,100 m\n"},
        StoredCase{"ClockBeyondItsField", In::kTrain, "orologio, 40000, 0, 0",
                   "hour: `40000` h · does not fit: the compile fails (error 25)\n"},
        StoredCase{"NothingWhereStoredAsWritten", In::kTrain, "velocita, 1000, 85",
                   "speed limit: `85` km/h\n  - 0 to 1,275 km/h; divided by 5"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Hovers, AStationShowsItsPlatformWhereTheCompilePlacedIt) {
  const int line = 2;  // the station row
  const std::vector<StationPlatform> platforms = {{3000, 0, 0}, {5000, 4900, 5150}};
  const std::string shown =
      hover(kTrain, true, {line, 0}, kilometres_of(kLine), platforms)["contents"]["value"];
  EXPECT_NE(shown.find("platform from 4,900 m · km 15+100 to 5,150 m · km 14+850"),
            std::string::npos)
      << shown;
}

TEST(Hovers, NothingOffARow) {
  EXPECT_TRUE(hover(kTrain, true, {0, 1}, kilometres_of(kLine)).is_null());  // "[generale]"
}

TEST(Symbols, ListStationsSignalsSlowdownsSignboardsAndCurvesWithTheirPlace) {
  std::vector<std::string> names;
  for (const json& s : document_symbols(kTrain, true, kilometres_of(kLine)))
    names.push_back(s["name"].get<std::string>() + " @ " + s["detail"].get<std::string>());
  EXPECT_EQ(names, (std::vector<std::string>{"signal @ 3,000 m · km 17+000",
                                             "CITT\xC3\x80 NUOVA @ 5,000 m · km 15+000",
                                             "slowdown 60 km/h @ 6,000 m · km 14+000"}));
  const json line = document_symbols(kLine, false, kilometres_of(kLine));
  ASSERT_EQ(line.size(), 2U);
  EXPECT_EQ(line[0]["name"], "curvas3");
  EXPECT_EQ(line[1]["name"], "(Fine Ponte)");
}

// The descriptions saved with a CR alone at each line end.
std::string with_lone_carriage_returns(std::string text) {
  for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at)) {
    if (at > 0 && text[at - 1] == '\r') {
      text.erase(at, 1);
    } else {
      text[at] = '\r';
    }
  }
  return text;
}

TEST(LineEnds, ACarriageReturnAloneEndsARowAsALineFeedDoes) {
  const std::string line = with_lone_carriage_returns(kLine);
  const std::string train = with_lone_carriage_returns(kTrain);
  ASSERT_EQ(line.find('\n'), std::string::npos);
  EXPECT_EQ(document_symbols(train, true, kilometres_of(line)),
            document_symbols(kTrain, true, kilometres_of(kLine)));
  EXPECT_EQ(document_symbols(line, false, kilometres_of(line)),
            document_symbols(kLine, false, kilometres_of(kLine)));
  EXPECT_EQ(hover(train, true, {2, 0}, kilometres_of(line)),
            hover(kTrain, true, {2, 0}, kilometres_of(kLine)));
  EXPECT_EQ(completion(line, false, {6, 0}), completion(kLine, false, {6, 0}));
}

TEST(Symbols, SpanTheLineInUtf16UnitsPastCharactersBeyondAscii) {
  const std::string locomotive = "\xF0\x9F\x9A\x82";
  const std::string text = test_support::line_description_with(
      {"lunghezza percorso, 10000"}, {"cartello_indicatore, 4000, CITT\xC3\x80 " + locomotive});
  const json symbols = document_symbols(text, false, kilometres_of(text));
  ASSERT_EQ(symbols.size(), 1U);
  // 34 characters, the locomotive taking two units.
  EXPECT_EQ(symbols[0]["range"]["end"]["character"], 35);
}

TEST(Completion, OffersTheKeywordsOfTheSectionWithTheirFieldsAsASnippet) {
  const auto labels = [](const json& items) {
    std::vector<std::string> l;
    for (const json& i : items) l.push_back(i["label"]);
    return l;
  };
  const std::vector<std::string> general = labels(completion(kLine, false, {1, 0}));
  EXPECT_NE(std::find(general.begin(), general.end(), "lunghezza percorso"), general.end());
  EXPECT_EQ(std::find(general.begin(), general.end(), "pendenza"), general.end());
  const json objects = completion(kLine, false, {6, 0});
  EXPECT_EQ(objects[0]["label"], "pendenza");
  EXPECT_EQ(objects[0]["insertText"], "pendenza, ${1:position}, ${2:gradient}");
  EXPECT_EQ(labels(completion(kTrain, true, {1, 0})).back(), "stazione");
}

TEST(Completion, OffersEveryKeywordAsWrittenOfEachKind) {
  std::vector<std::string> labels;
  for (const json& i : completion(kLine, false, {1, 0})) labels.push_back(i["label"]);
  for (const json& i : completion(kLine, false, {6, 0})) labels.push_back(i["label"]);
  for (const char* keyword : {"ripetizione segnali 4 codici", "ripetizione segnali 9 codici",
                              "progressiva chilometrica uno", "curvad1", "curvas6"}) {
    EXPECT_NE(std::find(labels.begin(), labels.end(), keyword), labels.end()) << keyword;
  }
  const json objects = completion(kLine, false, {6, 0});
  const auto curve = std::find_if(objects.begin(), objects.end(),
                                  [](const json& i) { return i["label"] == "curvas4"; });
  ASSERT_NE(curve, objects.end());
  EXPECT_EQ((*curve)["insertText"], "curvas4, ${1:start}, ${2:length}");
  EXPECT_EQ((*curve)["detail"], "curve row");
}

TEST(CodeActions, WriteTheOfferedKeywordAndReplaceEachTabWithASpace) {
  const std::string text = "[generale]\npendnza,\t0,\t5\n";
  const json range = {{"start", {{"line", 1}, {"character", 0}}},
                      {"end", {{"line", 1}, {"character", 7}}}};
  const json actions = code_actions(text, "file:///a_linea.txt",
                                    {{{"range", range}, {"data", {{"keyword", "pendenza"}}}},
                                     {{"range", range}, {"data", {{"tab", true}}}}});
  ASSERT_EQ(actions.size(), 2U);
  const json& keyword = actions[0]["edit"]["changes"]["file:///a_linea.txt"];
  EXPECT_EQ(keyword[0]["newText"], "pendenza");
  EXPECT_EQ(keyword[0]["range"], range);
  const json& tabs = actions[1]["edit"]["changes"]["file:///a_linea.txt"];
  ASSERT_EQ(tabs.size(), 2U);
  EXPECT_EQ(tabs[0]["range"]["start"]["character"], 8);
  EXPECT_EQ(tabs[1]["range"]["start"]["character"], 11);
  EXPECT_EQ(tabs[1]["newText"], " ");
}

}  // namespace
}  // namespace tracciato::lsp
