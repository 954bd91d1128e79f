#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <ostream>
#include <string>

#include "base/utf8_path.h"
#include "cli/findings.h"
#include "compile/output_files.h"
#include "compile/pipeline.h"
#include "testing/descriptions.h"
#include "testing/error_fixtures.h"
#include "testing/files.h"

namespace tracciato {

// Found by gtest through the fixture's own namespace, to print it by its name.
namespace test_support {
void PrintTo(const ErrorFixture& f, std::ostream* os) {
  *os << f.name;
}
}  // namespace test_support

namespace {

FindingList check(const std::string& line, const std::string& train, int j = 1) {
  MemoryDescription l("linea.txt", line);
  MemoryDescription t("treno.txt", train);
  return check_descriptions({l, t, {"Prova", "1"}, j});
}

class CheckFixtures : public ::testing::TestWithParam<test_support::ErrorFixture> {};

TEST_P(CheckFixtures, NamesTheCompilesOwnErrorAsReported) {
  const test_support::ErrorFixture& f = GetParam();
  const Scenario compiled = test_support::compile(f.line, f.train);
  ASSERT_EQ(compiled.errors.error_code, f.code) << compiled.errors.explanation;
  const FindingList list = check(f.line, f.train);
  const auto& all = list.findings();
  ASSERT_EQ(std::count_if(all.begin(), all.end(), [](const Finding& x) { return x.reported; }), 1);
  const Finding& own =
      *std::find_if(all.begin(), all.end(), [](const Finding& x) { return x.reported; });
  EXPECT_EQ(own.code, compiled.errors.error_code);
  EXPECT_EQ(own.position.has_value(), compiled.errors.position_recorded);
  if (own.position) {
    EXPECT_EQ(*own.position, compiled.errors.error_position);
  }
  EXPECT_EQ(own.where.path, compiled.errors.where.path);
  EXPECT_EQ(own.where.line, compiled.errors.where.line);
}

TEST_P(CheckFixtures, PointsAtTheFieldThatRaisedTheCode) {
  const test_support::ErrorFixture& f = GetParam();
  const SourceLocation& at = test_support::compile(f.line, f.train).errors.where;
  if (std::string(f.field).empty()) {
    EXPECT_TRUE(at.source.empty());
    return;
  }
  ASSERT_GT(at.column, 0);
  ASSERT_GE(at.end_column, at.column);
  EXPECT_EQ(at.source.substr(static_cast<std::size_t>(at.column - 1),
                             static_cast<std::size_t>(at.end_column - at.column)),
            f.field)
      << at.source;
}

INSTANTIATE_TEST_SUITE_P(EveryCode, CheckFixtures,
                         ::testing::ValuesIn(test_support::error_fixtures()),
                         [](const auto& info) { return std::string(info.param.name); });

// A description pair and the names it is read under.
struct Pair {
  std::string name;
  std::string line_path;
  std::string line;
  std::string train_path;
  std::string train;
};
void PrintTo(const Pair& p, std::ostream* os) {
  *os << p.name;
}

// Every error fixture and every pair of the diagnostics golden files.
std::vector<Pair> every_pair() {
  std::vector<Pair> pairs;
  for (const test_support::ErrorFixture& f : test_support::error_fixtures()) {
    pairs.push_back({std::string("fixture_") + f.name, "linea.txt", f.line, "treno.txt", f.train});
  }
  const std::filesystem::path golden = utf8_path(TRACCIATO_GOLDEN_DIR);
  for (const std::string& name : test_support::file_names(golden)) {
    const std::filesystem::path dir = golden / utf8_path(name);
    if (!std::filesystem::is_directory(dir)) continue;
    pairs.push_back({"golden_" + name, "F_linea.txt", test_support::read_file(dir / "F_linea.txt"),
                     "F_1-.txt", test_support::read_file(dir / "F_1-.txt")});
  }
  return pairs;
}

class CompileAndCheckingRun : public ::testing::TestWithParam<Pair> {};

// The checking run alone, without the compile that check_descriptions adds: what it finds
// of itself. The compile is the whole of it, the encoding of its files included.
TEST_P(CompileAndCheckingRun, AgreeOnWhetherAndWhereThePairFails) {
  const Pair& p = GetParam();
  MemoryDescription line(p.line_path, p.line);
  MemoryDescription train(p.train_path, p.train);
  const BuildRequest request{line, train, {"F", "1"}, 1};
  const Scenario compiled = memorizza_percorso(request);
  if (!compiled.errors.failed()) {
    EXPECT_NO_THROW(encode_build(compiled, "F", "1"));
  }
  FindingList checked;
  memorizza_percorso(request, &checked);
  if (!compiled.errors.failed()) {
    EXPECT_EQ(checked.errors(), 0);
    return;
  }
  const ErrorState& own = compiled.errors;
  EXPECT_TRUE(std::any_of(checked.findings().begin(), checked.findings().end(),
                          [&](const Finding& f) {
                            return f.error && f.code == own.error_code &&
                                   f.where.path == own.where.path && f.where.line == own.where.line;
                          }))
      << "the compile's error " << own.error_code << " at " << own.where.path << ":"
      << own.where.line << " (" << own.explanation << ") is not among the check's "
      << checked.errors() << " errors";
}

INSTANTIATE_TEST_SUITE_P(EveryPair, CompileAndCheckingRun, ::testing::ValuesIn(every_pair()),
                         [](const auto& info) { return info.param.name; });

struct Expected {
  bool error;
  int code;
  const char* file;
  int line;
};

TEST(Check, FindsEveryIndependentFaultInOneRun) {
  const std::string line = test_support::crlf(
      {"[generale]", "lunghezza percorso,  10000", "ripetizione segnali 7 codici,  0  ,0",
       "[curve]", "curvas5,  300,  100", "curvad,  2000,  500", "curvas4,  350,  100",
       "pendenza,   0,    0", "pendneza,  450,   2", "pendenza,  3000,   -5",
       "pendenza,  2000,   -5", "pendenza,  99000,   -5",
       "indicatori_vmax,  925,  60,  80,  80,  0,  ,  ,  ,  0", "cartello_indicatore,  850,   (F)",
       "cartello_indicatore,  850,   (G)", "montagna, 1x00, 1550, 12", "[fine]"});
  const std::string train = test_support::crlf(
      {"[generale]", "velocita,  0, 30", "velocita,  900, 80", "velocita,  500, 80",
       "stazione,  75,  2,  200,  0, 0, 0,  1,1,0,  2,1,1,    0,  14,10, 0, X",
       "stazione,  1000,  2,  250,  0, 0, 0,  1,1,0,  2,1,1,    0,  14,10, 0, Y",
       "segnale,  1950,   1, 4, 1,  0, 0,    0,  0,0,0, 0",
       "segnale,  1950,   1, 4, 1,  0, 0,    0,  0,0,0, 0",
       "rallentamento,   0,    50,  200, 1,  0,  0", "[fine]"});
  const FindingList list = check(line, train);
  std::vector<Expected> got;
  for (const Finding& f : list.findings())
    got.push_back({f.error, f.code, f.where.path.c_str(), f.where.line});
  const std::vector<Expected> expected = {
      {true, 5, "linea.txt", 3},   {true, 103, "linea.txt", 6}, {false, 0, "linea.txt", 7},
      {false, 0, "linea.txt", 9},  {false, 0, "linea.txt", 11}, {true, 15, "linea.txt", 12},
      {false, 0, "linea.txt", 13}, {true, 6, "linea.txt", 15},  {true, 25, "linea.txt", 16},
      {false, 0, "treno.txt", 4},  {true, 8, "treno.txt", 5},   {true, 9, "treno.txt", 6},
      {true, 16, "treno.txt", 8},  {false, 0, "treno.txt", 0},  {false, 0, "treno.txt", 0},
      {false, 0, "treno.txt", 0},  {false, 0, "treno.txt", 0},  {false, 0, "treno.txt", 0},
      {true, 1250, "treno.txt", 9}};
  ASSERT_EQ(got.size(), expected.size());
  for (std::size_t i = 0; i < got.size(); ++i) {
    EXPECT_EQ(got[i].error, expected[i].error) << i;
    EXPECT_EQ(got[i].code, expected[i].code) << i;
    EXPECT_STREQ(got[i].file, expected[i].file) << i;
    EXPECT_EQ(got[i].line, expected[i].line) << i;
  }
  EXPECT_TRUE(list.findings().front().reported);
}

TEST(Check, StationsPastTheSignboardRecordsAreSkippedWithoutABlankFinding) {
  std::vector<std::string> signboards(78);
  for (std::size_t i = 0; i < signboards.size(); ++i) {
    signboards[i] = "cartello_indicatore,  " + std::to_string(1000 + 100 * i) + ", (X)";
  }
  const std::string station = ",  2,  200,  0, 0, 0,  1,1,0,  2,1,1,    0,  14,10, 0, S";
  const FindingList list = check(
      test_support::line_description(signboards, 20000),
      test_support::train_description({"velocita,  0,  30", "stazione,  1000" + station,
                                       "stazione,  2000" + station, "stazione,  3000" + station}));
  std::vector<std::int32_t> error_codes;
  for (const Finding& f : list.findings()) {
    if (f.error) error_codes.push_back(f.code);
  }
  EXPECT_EQ(error_codes, std::vector<std::int32_t>{10});
}

struct WarningCase {
  const char* name;
  std::string line;
  std::string train;
  const char* says;  // empty: no warning at all
  int j = 1;
  int errors = 0;
};
void PrintTo(const WarningCase& c, std::ostream* os) {
  *os << c.name;
}

class CheckWarnings : public ::testing::TestWithParam<WarningCase> {};

std::string all_messages(const FindingList& list) {
  std::string text;
  for (const Finding& f : list.findings()) text += f.message + "\n";
  return text;
}

TEST_P(CheckWarnings, AreTold) {
  const WarningCase& c = GetParam();
  const FindingList list = check(c.line, c.train, c.j);
  SCOPED_TRACE(all_messages(list));
  EXPECT_EQ(list.errors(), c.errors);
  if (std::string(c.says).empty()) {
    EXPECT_EQ(list.warnings(), 0);
    return;
  }
  EXPECT_TRUE(std::any_of(list.findings().begin(), list.findings().end(), [&](const Finding& f) {
    return !f.error && f.message.find(c.says) != std::string::npos;
  }));
}

const std::string kLine = test_support::line_description({});
// A train with every row a train needs, so that it draws no warning of its own.
const std::string kTrain = test_support::train_description(
    {"percentuale massa frenata, 105", "numero vetture, 4", "orologio, 14 9 45", "sabbia, 100",
     "aderenza, 0, 100", "velocita, 0, 30",
     "stazione, 5000, 26, 200, 0,0,0, 1,1,0, 2,1,1, 0, 14,10,0, S"});
const std::string kSignal = "segnale,  1950,   1, 4, 1,  0, 0,    0,  0,0,0, 0";

INSTANTIATE_TEST_SUITE_P(
    Cases, CheckWarnings,
    ::testing::Values(
        WarningCase{"Clean", kLine, kTrain, ""},
        WarningCase{"CurvesWithoutGeometryAreExpected",
                    test_support::line_description({"curvas5, 300, 100"}), kTrain, "", 0},
        WarningCase{"OneWarningPerMistypedLine",
                    test_support::line_description({"pendneza, 450, 2"}), kTrain,
                    "names no row kind"},
        WarningCase{"MistypedTrainKeyword", kLine,
                    test_support::train_description({"velocta, 0, 30"}), "names no row kind"},
        WarningCase{
            "MountainsOutOfOrder",
            test_support::line_description({"montagna, 3000, 3500, 2", "montagna, 1000, 1500, 2"}),
            kTrain, "does not come after"},
        WarningCase{"CurveDropped",
                    test_support::line_description({"curvas5, 2000, 500", "curvad5, 300, 100"}),
                    kTrain, "dropped"},
        WarningCase{"AdhesionOutOfOrder", kLine,
                    test_support::train_description({"aderenza, 900, 100", "aderenza, 900, 90"}),
                    "does not come after"},
        WarningCase{"StationsOutOfOrder", kLine,
                    test_support::train_description(
                        {"stazione, 5000, 2, 200, 0,0,0, 1,1,0, 2,1,1, 0, 14,10,0, A",
                         "stazione, 1000, 27, 200, 0,0,0, 1,1,0, 2,1,1, 0, 14,10,0, B"}),
                    "does not come after", 1, 1},
        WarningCase{"OffGrid", kLine, test_support::train_description({"velocita, 75, 30"}),
                    "not on a multiple of 50"},
        WarningCase{"TrainWithoutItsRows", kLine,
                    test_support::train_description({"velocita, 0, 30"}),
                    "the train has no cars row (\"numero vetture\"): it takes 0"},
        WarningCase{"TrainWithoutStations", kLine,
                    test_support::train_description({"velocita, 0, 30"}),
                    "the train has no station row (\"stazione\"): its timetable is empty"},
        WarningCase{"StationNameSavedAsUtf8", kLine,
                    test_support::train_description(
                        {"stazione, 5000, 26, 200, 0,0,0, 1,1,0, 2,1,1, 0, 14,10,0, CITT\xC3\x80"}),
                    "the station name \"CITT\xC3\x80\" is UTF-8 text"},
        WarningCase{"SignboardSavedAsUtf8",
                    test_support::line_description({"cartello_indicatore, 1700, (CITT\xC3\x80)"}),
                    kTrain, "is UTF-8 text, which the simulator shows byte for byte"},
        WarningCase{"MountainEndingBeforeItStarts",
                    test_support::line_description({"montagna, 3000, 2500, 2"}), kTrain,
                    "the mountain stretch from 3,000 m ends at 2,500 m, before it starts"},
        WarningCase{"GradientSteeperThanAnyRailway",
                    test_support::line_description({"pendenza, 1000, 61"}), kTrain,
                    "the gradient of 61 per mille at 1,000 m is steeper than 60 per mille"},
        WarningCase{"GradientAtTheBound", test_support::line_description({"pendenza, 1000, -60"}),
                    kTrain, ""},
        WarningCase{"SpeedFasterThanAnyLine", kLine,
                    test_support::train_description({"velocita, 0, 30", "velocita, 1000, 400"}),
                    "the speed limit of 400 km/h at 1,000 m is above 350 km/h"},
        WarningCase{"CurveOfMoreThanAFullCircle",
                    test_support::line_description({"curvad6, 300, 2200"}), kTrain,
                    "the curve at 300 m turns 378 degrees in 2,200 m, more than a full circle"},
        WarningCase{"PlatformLongerThanAnyPlatform", kLine,
                    test_support::train_description(
                        {"stazione, 5000, 26, 1100, 0,0,0, 1,1,0, 2,1,1, 0, 14,10,0, S"}),
                    "the platform of 1,100 m at 5,000 m is longer than 1,000 m"},
        WarningCase{"NoGeneralInTrain", kLine, test_support::crlf({"velocita, 0, 30", "[fine]"}),
                    "no \"[generale]\""},
        WarningCase{"NoSignalRepetition",
                    test_support::line_description_with({"lunghezza percorso, 10000"}, {}), kTrain,
                    "without a signal-repetition row"},
        WarningCase{"SignalMarksOverSignalMarks", kLine,
                    test_support::train_description(
                        {kSignal, "segnale,  2050,   1, 4, 1,  0, 0,    0,  0,0,0, 0"}),
                    "approach marks overwrite those already at 1,850 m, 1,750 m, 1,650 m"},
        WarningCase{"StationMarkerOverSignboard",
                    test_support::line_description({"cartello_indicatore, 1000, (F)"}),
                    test_support::train_description(
                        {"stazione, 1000, 2, 200, 0,0,0, 1,1,0, 2,1,1, 0, 14,10,0, A"}),
                    "marker at its platform end replaces a signboard"},
        WarningCase{"RowRunningOnIntoTheNextLine", kLine,
                    test_support::train_description(
                        {"stazione, 5000, 26, 200, 0,0,0, 1,1,0, 2,1,1, 0, 14,10", "0, S"}),
                    "the station row has only 15 fields on its line: the compile reads the other "
                    "2 from line 3"},
        WarningCase{"RowWithMoreFieldsThanItTakes",
                    test_support::line_description({"pendenza, 1000, 2, 3000, 4"}), kTrain,
                    "the gradient row has 4 fields but takes 2"},
        WarningCase{"KeywordHoldingATab", test_support::line_description({"pendenza\t1000, 2"}),
                    kTrain, "the gradient row holds a tab, which is no separator", 1, 1},
        WarningCase{"FileBeginningWithAByteOrderMark", "\xEF\xBB\xBF" + kLine, kTrain,
                    "the file begins with a UTF-8 byte-order mark"},
        WarningCase{"SignboardTextInHeaderRecordZero",
                    test_support::line_description(
                        [] {
                          std::vector<std::string> rows;
                          rows.reserve(81);
                          for (int i = 0; i < 81; ++i) {
                            rows.push_back("cartello_indicatore, " +
                                           std::to_string(1000 + 100 * i) + ", (X)");
                          }
                          return rows;
                        }(),
                        20000),
                    test_support::train_description({"velocita, 0, 30"}),
                    "this signboard's text lands in header record 0"},
        WarningCase{"SlowdownWithoutEnd", kLine,
                    test_support::train_description({"rallentamento, 4000, 50, -500, 1, 0, 0"}),
                    "has no end before the end of the track"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Check, EmbeddedScenarioChecksClean) {
  test_support::TempDir dir;
  const auto run = test_support::run_tracciato({"check"}, dir.path());
  EXPECT_EQ(run.status, 0) << run.out;
  EXPECT_EQ(run.out, "0 errors, 0 warnings\n");
  EXPECT_TRUE(test_support::file_names(dir.path()).empty());
}

TEST(Check, CommandLine) {
  test_support::TempDir dir;
  test_support::write_file(dir / "P_linea.txt",
                           test_support::line_description({"pendenza, 4x0, 2"}));
  test_support::write_file(dir / "P_1-.txt", kTrain);
  auto run = test_support::run_tracciato({"check", "P_linea.txt", "P_1-.txt"}, dir.path());
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out,
            "P_linea.txt:5:11: error 25: the position of the gradient row, \"4x0\", is not a whole "
            "number\n"
            "    5 | pendenza, 4x0, 2\n"
            "      |           ^~~\n"
            "note: this is the error compile reports\n"
            "1 error, 0 warnings\n"
            "`tracciato explain CODE` tells what a code means and how to fix it\n");
  run = test_support::run_tracciato({"check", "P_linea.txt", "P_1-.txt", "--format", "json"},
                                    dir.path());
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(
      run.out,
      "[\n  {\"file\": \"P_linea.txt\", \"line\": 5, \"column\": 11, \"end_column\": 14, "
      "\"severity\": \"error\", \"code\": 25, \"position\": null, \"message\": \"the position of "
      "the gradient row, \\\"4x0\\\", is not a whole number\", \"hint\": null, \"reported\": "
      "true}\n]\n");
  // Alone, the line is checked with the train beside it, and finds the same error.
  EXPECT_EQ(test_support::run_tracciato({"check", "P_linea.txt"}, dir.path()).status, 1);
  EXPECT_EQ(test_support::run_tracciato({"check", "--format", "xml"}, dir.path()).status, 2);
  std::filesystem::create_directory(dir / "D_linea.txt");
  EXPECT_EQ(
      test_support::run_tracciato({"check", "D_linea.txt", "P_1-.txt", "--train", "1"}, dir.path())
          .status,
      3);
  EXPECT_EQ(test_support::file_names(dir.path()),
            (std::vector<std::string>{"D_linea.txt", "P_1-.txt", "P_linea.txt"}));
}

TEST(Check, AnUnreadableDescriptionIsStillAJsonArray) {
  test_support::TempDir dir;
  test_support::write_file(dir / "P_1-.txt", kTrain);
  std::filesystem::create_directory(dir / "D_linea.txt");
  const auto run = test_support::run_tracciato(
      {"check", "D_linea.txt", "P_1-.txt", "--train", "1", "--format", "json"}, dir.path());
  EXPECT_EQ(run.status, 3);
  EXPECT_EQ(run.out,
            "[\n  {\"file\": \"D_linea.txt\", \"line\": null, \"column\": null, \"end_column\": "
            "null, \"severity\": \"error\", \"code\": null, \"position\": null, \"message\": "
            "\"cannot read D_linea.txt: it is a directory\", \"hint\": null, \"reported\": "
            "false}\n]\n");
  EXPECT_EQ(run.err, "tracciato: cannot read D_linea.txt: it is a directory\n");
}

// One case of the command line: the words after "check", and all it prints.
struct CommandLineCase {
  const char* name;
  std::vector<std::string> args;
  int status;
  std::string out;
  std::string err;
};
void PrintTo(const CommandLineCase& c, std::ostream* os) {
  *os << c.name;
}

class CheckCommandLine : public ::testing::TestWithParam<CommandLineCase> {};

const std::string kClean = "0 errors, 0 warnings\n";
std::string usage(const std::string& problem) {
  return "usage: tracciato check: " + problem + " (tracciato --help for more)\n";
}

// Beside one another: the pair P with a second, older train; a line and a train alone; a
// folder named as a line; a file named as neither.
TEST_P(CheckCommandLine, FindsThePairOrSaysWhy) {
  const CommandLineCase& c = GetParam();
  test_support::TempDir dir;
  for (const char* line : {"P_linea.txt", "U_linea.txt", "Solo_linea.txt"}) {
    test_support::write_file(dir / line, kLine);
  }
  for (const char* train : {"P_1-.txt", "P_2-.txt", "U_5-.txt", "Orfano_1-.txt", "appunti.txt"}) {
    test_support::write_file(dir / train, kTrain);
  }
  const auto now = std::filesystem::file_time_type::clock::now();
  std::filesystem::last_write_time(dir / "P_2-.txt", now - std::chrono::hours(2));
  std::filesystem::last_write_time(dir / "P_1-.txt", now - std::chrono::hours(1));
  std::filesystem::create_directory(dir / "D_linea.txt");
  std::vector<test_support::Arg> args = {"check"};
  args.insert(args.end(), c.args.begin(), c.args.end());
  const auto run = test_support::run_tracciato(args, dir.path());
  EXPECT_EQ(run.status, c.status);
  EXPECT_EQ(run.out, c.out);
  EXPECT_EQ(run.err, c.err);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CheckCommandLine,
    ::testing::Values(
        CommandLineCase{"ATrainAloneGoesWithTheLineBesideIt", {"P_1-.txt"}, 0, kClean, ""},
        CommandLineCase{"ALineAloneGoesWithItsOneTrain", {"U_linea.txt"}, 0, kClean, ""},
        CommandLineCase{"ALineAloneTakesTheTrainChangedLastAndSaysSo",
                        {"P_linea.txt"},
                        0,
                        kClean,
                        "tracciato: P_linea.txt has 2 trains beside it; P_1-.txt, the one "
                        "changed last, is taken\n"},
        CommandLineCase{"ALineWithoutATrainBesideIt",
                        {"Solo_linea.txt"},
                        2,
                        "",
                        usage("no train description beside Solo_linea.txt (Solo_NUMBER-.txt); "
                              "give LINE and TRAIN")},
        CommandLineCase{"ATrainWithoutItsLineBesideIt",
                        {"Orfano_1-.txt"},
                        2,
                        "",
                        usage("no line description beside Orfano_1-.txt: Orfano_linea.txt is "
                              "not there; give LINE and TRAIN")},
        CommandLineCase{"AMissingDescriptionAloneOffersTheNearestName",
                        {"P_10-.txt"},
                        2,
                        "",
                        usage("P_10-.txt does not exist; did you mean P_1-.txt?")},
        CommandLineCase{"AFileNamedAsNoDescription",
                        {"appunti.txt"},
                        2,
                        "",
                        usage("cannot tell whether appunti.txt is a line (NAME_linea.txt) or a "
                              "train (NAME_NUMBER-.txt): give LINE and TRAIN")},
        CommandLineCase{"StandardInputAlone",
                        {"-"},
                        2,
                        "",
                        usage("a description from standard input needs the other one named: "
                              "give LINE and TRAIN")},
        CommandLineCase{"TrainAndLineSwapped",
                        {"P_1-.txt", "P_linea.txt"},
                        2,
                        "",
                        usage("P_1-.txt names a train and P_linea.txt a line: they are swapped; "
                              "the line comes first: tracciato check P_linea.txt P_1-.txt")},
        CommandLineCase{"AMissingLineOffersTheNearestName",
                        {"P_line.txt", "P_1-.txt", "--base", "P"},
                        1,
                        "P_line.txt: error 101: the line description does not exist\n"
                        "note: this is the error compile reports\n"
                        "help: did you mean \"P_linea.txt\"?\n"
                        "1 error, 0 warnings\n"
                        "`tracciato explain CODE` tells what a code means and how to fix it\n",
                        ""},
        CommandLineCase{"ALineThatIsADirectory",
                        {"D_linea.txt", "P_1-.txt", "--train", "1"},
                        3,
                        "",
                        "tracciato: cannot read D_linea.txt: it is a directory\n"},
        CommandLineCase{"MoreThanTwoDescriptions",
                        {"P_linea.txt", "P_1-.txt", "P_2-.txt"},
                        2,
                        "",
                        usage("check takes LINE and TRAIN, one of them, or nothing")}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tracciato
