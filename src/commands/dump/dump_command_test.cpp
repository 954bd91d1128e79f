#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <ostream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "platform/testing/system.h"
#include "testing/descriptions.h"
#include "testing/files.h"

namespace tracciato {
namespace {

namespace fs = std::filesystem;
using test_support::read_file;
using test_support::run_tracciato;
using test_support::write_file;

const char* const kHeader = "Prova_1.sim";
const char* const kCells = "Prova_1.dat";
const char* const kGeometry = "Prova_linea.dat";
// The bytes of one cell.
constexpr std::size_t kCell = 15;

// A small scenario whose every object an author can place by hand: 10 km of route, the
// line's kilometres counting up from km 135+000 at 0 m.
std::string prova_line() {
  return test_support::line_description_with(
      {"lunghezza percorso,    10000", "progressiva chilometrica uno,    0,    135000,    0",
       "ripetizione segnali 4 codici,    0    ,0"},
      {"curvad5,  300,  100", "pendenza,   0,    5", "pendenza,  2000,   -3",
       "montagna,   1100,  1550,  12", "indicatori_vmax,  900,  60,  80,  80,  0,  ,  ,  ,  0",
       "cartello_indicatore,  1700,  TESTO"});
}

std::string prova_train() {
  return test_support::train_description(
      {"numero vetture,    4", "percentuale massa frenata,    105", "sabbia,    100",
       "orologio,    14              9             45 ", "aderenza,   0,    100",
       "velocita,       0,    120",
       "stazione,    5000,  2,  200,  0, 0, 0,  1,1,0,  2,1,1,   60,  14,10, 0, PROVA",
       "rallentamento,   7000,    50,  200, 1,  1,  0",
       "segnale,  3000,   1, 4, 1,  0, 0,    1,  3,1,0, 0"});
}

// The compiled files of the small scenario, built once by the program itself.
class DumpCommand : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = std::make_unique<test_support::TempDir>();
    const fs::path d = dir_->path();
    write_file(d / "Prova_linea.txt", prova_line());
    write_file(d / "Prova_1-.txt", prova_train());
    const auto run =
        run_tracciato({"compile", "Prova_linea.txt", "Prova_1-.txt", "--out", d, "-w"}, d);
    ASSERT_EQ(run.status, 0) << run.err;
  }
  static void TearDownTestSuite() { dir_.reset(); }

  static fs::path file(const std::string& name) { return dir_->path() / name; }

  static test_support::ProgramRun dump(std::vector<test_support::Arg> args) {
    args.insert(args.begin(), "dump");
    return run_tracciato(args, dir_->path());
  }

  static std::unique_ptr<test_support::TempDir> dir_;
};

std::unique_ptr<test_support::TempDir> DumpCommand::dir_;

std::vector<std::string> lines_of(const std::string& out) {
  std::vector<std::string> lines;
  std::istringstream in(out);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The line that starts with `key` ("cell 61:", "record 1:"), flagged or not.
std::string line_of(const std::string& out, const std::string& key) {
  for (const std::string& line : lines_of(out)) {
    if (line.starts_with(key) || line.starts_with("! " + key)) return line;
  }
  return "(no line " + key + ")";
}

std::size_t lines_starting(const std::string& out, const std::string& prefix) {
  std::size_t n = 0;
  for (const std::string& line : lines_of(out)) n += line.starts_with(prefix) ? 1 : 0;
  return n;
}

::testing::AssertionResult shows(const std::string& line, const std::string& part) {
  if (line.find(part) != std::string::npos) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "no '" << part << "' in: " << line;
}

// One item of a dump and what its line must say, in the author's terms.
struct ShownCase {
  const char* name;
  const char* file;
  std::vector<std::string> args;
  const char* line;
  std::vector<std::string> parts;
};
void PrintTo(const ShownCase& c, std::ostream* os) {
  *os << c.name;
}

class DumpShows : public DumpCommand, public ::testing::WithParamInterface<ShownCase> {};

TEST_P(DumpShows, WhatTheDescriptionsSay) {
  std::vector<test_support::Arg> args = {GetParam().file};
  args.insert(args.end(), GetParam().args.begin(), GetParam().args.end());
  const auto run = dump(args);
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string line = line_of(run.out, GetParam().line);
  EXPECT_FALSE(line.starts_with("!")) << line;
  for (const std::string& part : GetParam().parts) EXPECT_TRUE(shows(line, part));
}

INSTANTIATE_TEST_SUITE_P(
    EveryRecordKind, DumpShows,
    ::testing::Values(
        // Kind 2, 200 m of platform around 5,000 m; departure 14:10:00.
        ShownCase{"StationWithPlatformInMetresAndKilometres",
                  kHeader,
                  {},
                  "record 1:",
                  {"4,900\u20135,100 m", "station:", "kind=2",
                   "platform_start=4900 (4,900 m, km 139+900)",
                   "platform_end=5100 (5,100 m, km 140+100)", "position=5000 (5,000 m, km 140+000)",
                   "name=\"PROVA\"", "stop_duration=60", "departure_time=51000 (14:10:00)"}},
        ShownCase{"FreeRecordAfterTheStation", kHeader, {}, "record 2,", {"free:"}},
        ShownCase{"SignboardTextInRecord80", kHeader, {}, "record 80,", {"text=\"TESTO\""}},
        ShownCase{
            "TrainValuesWithTheirUnits",
            kHeader,
            {},
            "record 84,",
            {"braked_mass_percentage=105 (105 %)", "route_length=10000 (10,000 m)", "car_count=4"}},
        ShownCase{"IdentityWithItsStamp",
                  kHeader,
                  {},
                  "record 85,",
                  {"base_name=\"Prova\"", "format_stamp=610", "competition_code_st="}},
        ShownCase{
            "SignallingWithTheStartClock",
            kHeader,
            {},
            "record 86,",
            {"train_number=\"1\"", "sand=100", "clock_hours=14", "clock_seconds=45 (14:09:45)"}},
        ShownCase{"CellOneWithItsStamp", kCells, {}, "cell 1:", {"format_stamp=5121"}},
        // Cell i holds what stands at (i - 1) × 50 m; its own span is i × 50 m on.
        ShownCase{"SignalAtItsOwnMetre",
                  kCells,
                  {},
                  "cell 61:",
                  {"3,050\u20133,100 m", "signal at 3,000 m", "aspects_1=43 (left 4, right 3)",
                   "aspects_2=11 (left 1, right 1)", "sides=4 (rapp 0, left kind 1, right kind 1)",
                   "timer=0", "speed=24 (120 km/h)", "gradient=97 (-3 \u2030)"}},
        ShownCase{"ApproachMarkPointsAtItsSignal",
                  kCells,
                  {},
                  "cell 55:",
                  {"approach_mark=43 (signal at 3,000 m)"}},
        ShownCase{"StationMarkerAtThePlatformEnd",
                  kCells,
                  {},
                  "cell 101:",
                  {"station marker for the platform ending at 5,100 m", "station_record=1"}},
        ShownCase{"ApproachMarkPointsAtItsStation",
                  kCells,
                  {},
                  "cell 100:",
                  {"approach_mark=81 (station marker in cell 101)"}},
        ShownCase{"SlowdownWarning1200MetresAhead",
                  kCells,
                  {},
                  "cell 117:",
                  {"slowdown warning at 5,800 m", "speed_limit=50 (50 km/h)"}},
        ShownCase{"SlowdownAdvanceNumbered", kCells, {}, "cell 116:", {"advance=1"}},
        ShownCase{"SlowdownStart",
                  kCells,
                  {},
                  "cell 141:",
                  {"slowdown start at 7,000 m", "speed_limit=50 (50 km/h)", "f_tt=1"}},
        ShownCase{
            "SlowdownEndAfterItsLength", kCells, {}, "cell 145:", {"slowdown end at 7,200 m"}},
        ShownCase{
            "CodeMarkerBeforeTheSlowdown", kCells, {}, "cell 136:", {"code marker", "code=180"}},
        ShownCase{
            "BoardWithItsSpeeds",
            kCells,
            {},
            "cell 19:",
            {"maximum-speed indicator board at 900 m", "speeds_1=1200 (left 60 km/h, right 0 km/h)",
             "speeds_2=1600 (left 80 km/h, right 0 km/h)", "stripes=0"}},
        ShownCase{
            "MountainMarkerWithItsKind", kCells, {}, "cell 25:", {"mountain marker", "mountain=2"}},
        ShownCase{"SignboardCellNamesItsRecord",
                  kCells,
                  {},
                  "cell 35:",
                  {"signboard at 1,700 m", "text_record=80"}},
        ShownCase{"ProfilesOfAnEmptyCell",
                  kCells,
                  {"--all"},
                  "cell 0:",
                  {"0\u201350 m", "nothing:", "speed=24 (120 km/h)", "gradient=105 (5 \u2030)",
                   "adhesion=100"}},
        ShownCase{"GeometrySeed",
                  kGeometry,
                  {"--all"},
                  "metre 1:",
                  {"lateral=0 (tag 2) along=1 (tag 2)"}},
        ShownCase{"GeometryStraightUpToTheCurve",
                  kGeometry,
                  {},
                  "metre 300:",
                  {"lateral=0 (tag 5) along=300 (tag 5)"}},
        ShownCase{"GeometryLastMetresEmpty",
                  kGeometry,
                  {},
                  "metre 17000:",
                  {"lateral=empty (tag 0) along=empty (tag 0)"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DumpCommand, ThinnedUnlessAll) {
  const auto cells = dump({kCells});
  EXPECT_EQ(line_of(cells.out, "cell 0:"), "(no line cell 0:)");
  const auto all_cells = dump({kCells, "--all"});
  // 10,000 m of route and 7,000 m more: cells 0 to 340.
  EXPECT_EQ(lines_starting(all_cells.out, "cell "), 341u);
  const auto points = dump({kGeometry});
  EXPECT_EQ(line_of(points.out, "metre 150:"), "(no line metre 150:)");
  const auto all_points = dump({kGeometry, "--all"});
  EXPECT_EQ(lines_starting(all_points.out, "metre "), 17001u);
}

// jq reads the JSON: one value, nothing else on standard output.
std::string jq(const fs::path& json, const std::string& query) {
  EXPECT_TRUE(fs::exists("/usr/bin/jq")) << "the JSON tests need jq (Debian package jq)";
  const auto run =
      test_support::run_program("/usr/bin/jq", {"-c", "-s", query, json}, json.parent_path());
  EXPECT_EQ(run.status, 0) << run.err;
  return run.out;
}

std::string json_of(const test_support::ProgramRun& run, const fs::path& where) {
  write_file(where, run.out);
  return where.string();
}

TEST_F(DumpCommand, JsonKeepsRawAndDecodedValues) {
  if (kBuiltForWindows) GTEST_SKIP() << "the JSON is read with jq, a Linux tool here";
  const fs::path header = json_of(dump({kHeader, "--json"}), file("header.json"));
  EXPECT_EQ(jq(header, "[length, .[0].kind, .[0].count, (.[0].records | length), .[0].flagged]"),
            "[1,\"header\",87,87,0]\n");
  EXPECT_EQ(jq(header, ".[0].records[1] | [.span_m, .platform_start, .name, .departure_time]"),
            "[[4900,5100],{\"raw\":4900,\"m\":4900,\"km\":\"km 139+900\"},\"PROVA\","
            "{\"raw\":51000,\"time\":\"14:10:00\"}]\n");
  const fs::path cells = json_of(dump({kCells, "--json", "--all"}), file("cells.json"));
  EXPECT_EQ(jq(cells,
               ".[0].cells[61] | [.cell, .offset, .span_m, .object, .object_at_m, .speed, "
               ".gradient, .aspects_1]"),
            "[61,915,[3050,3100],\"signal\",3000,{\"raw\":24,\"km_h\":120},"
            "{\"raw\":97,\"per_mille\":-3},{\"raw\":43,\"left\":4,\"right\":3}]\n");
  const fs::path geometry = json_of(dump({kGeometry, "--json", "--all"}), file("geometry.json"));
  EXPECT_EQ(jq(geometry,
               "[(.[0].points | length), .[0].points[300].along, "
               ".[0].points[17000].lateral]"),
            "[17001,{\"tag\":5,\"m\":300},{\"tag\":0,\"m\":null}]\n");
}

// --from and --to at the edges of what they select.
struct RangeCase {
  const char* name;
  const char* file;
  std::vector<std::string> args;
  const char* first;  // the first item line shown
  const char* last;
};
void PrintTo(const RangeCase& c, std::ostream* os) {
  *os << c.name;
}

class DumpRange : public DumpCommand, public ::testing::WithParamInterface<RangeCase> {};

TEST_P(DumpRange, SelectsWhatLiesInIt) {
  std::vector<test_support::Arg> args = {GetParam().file};
  args.insert(args.end(), GetParam().args.begin(), GetParam().args.end());
  const auto run = dump(args);
  ASSERT_EQ(run.status, 0) << run.err;
  std::vector<std::string> items;
  for (const std::string& line : lines_of(run.out)) {
    if (!line.starts_with("#")) items.push_back(line);
  }
  ASSERT_FALSE(items.empty()) << run.out;
  EXPECT_TRUE(items.front().starts_with(GetParam().first)) << items.front();
  EXPECT_TRUE(items.back().starts_with(GetParam().last)) << items.back();
}

INSTANTIATE_TEST_SUITE_P(Dump, DumpRange,
                         ::testing::Values(
                             // Cell 81 covers 4,050 up to 4,100 m, cell 84 starts at 4,200 m.
                             RangeCase{"CellEndingWhereTheRangeStartsIsLeftOut",
                                       kCells,
                                       {"--all", "--from", "4100", "--to", "4200"},
                                       "cell 82:",
                                       "cell 84:"},
                             RangeCase{"CellStartingWhereTheRangeEndsIsShown",
                                       kCells,
                                       {"--all", "--from", "4000", "--to", "4050"},
                                       "cell 80:",
                                       "cell 81:"},
                             // The signal at 3,000 m lies in cell 61, whose span starts at 3,050 m.
                             RangeCase{"SignalStandingAtTheRangeEnd",
                                       kCells,
                                       {"--from", "2900", "--to", "3000"},
                                       "cell 59:",
                                       "cell 61:"},
                             RangeCase{"StationWhosePlatformTouchesTheRange",
                                       kHeader,
                                       {"--from", "5100", "--to", "6000"},
                                       "record 1:",
                                       "record 1:"},
                             RangeCase{"MetresBothEndsIncluded",
                                       kGeometry,
                                       {"--all", "--from", "100", "--to", "200"},
                                       "metre 100:",
                                       "metre 200:"}),
                         [](const auto& info) { return std::string(info.param.name); });

// A damaged file: everything before the damage, then the damage on stderr with its offset.
struct DamagedFile {
  const char* name;
  const char* file;
  std::function<void(std::string&)> damage;
  const char* last_item;  // the last line shown before the damage
  const char* complaint;
};
void PrintTo(const DamagedFile& d, std::ostream* os) {
  *os << d.name;
}

class DumpDamagedFile : public DumpCommand, public ::testing::WithParamInterface<DamagedFile> {};

TEST_P(DumpDamagedFile, ShowsTheValidPartThenTheOffset) {
  test_support::TempDir dir;
  std::string bytes = read_file(file(GetParam().file));
  GetParam().damage(bytes);
  write_file(dir / GetParam().file, bytes);
  const auto run = run_tracciato({"dump", GetParam().file, "--all"}, dir.path());
  EXPECT_EQ(run.status, 1);
  const auto lines = lines_of(run.out);
  ASSERT_FALSE(lines.empty());
  EXPECT_TRUE(lines.back().starts_with(GetParam().last_item)) << lines.back();
  EXPECT_NE(run.err.find(GetParam().file), std::string::npos) << run.err;
  EXPECT_NE(run.err.find(GetParam().complaint), std::string::npos) << run.err;
  if (kBuiltForWindows) return;
  const auto json = run_tracciato({"dump", GetParam().file, "--json"}, dir.path());
  EXPECT_EQ(json.status, 1);
  const fs::path out = json_of(json, dir / "out.json");
  EXPECT_EQ(jq(out, ".[0].error.reason | length > 0"), "true\n") << json.out;
}

INSTANTIATE_TEST_SUITE_P(
    Dump, DumpDamagedFile,
    ::testing::Values(
        // Record 0 is 34 bytes, record 1 (PROVA) 39; record 2 starts at 73.
        DamagedFile{"TruncatedHeader", kHeader, [](std::string& b) { b.resize(76); }, "record 1:",
                    "offset 74: truncated: record 2's record_start needs 4 bytes, only 2 left"},
        DamagedFile{"CellFileOfWrongLength", kCells, [](std::string& b) { b.resize(b.size() - 7); },
                    "cell 339:", "offset 5100: wrong length"},
        // Coordinate 0 of metre 100: two 4-byte seeds, then 98 values of 10 bytes.
        DamagedFile{"UnknownGeometryTag", kGeometry, [](std::string& b) { b[8 + 98 * 10] = 7; },
                    "value 99,", "offset 988: unknown geometry tag 7"}),
    [](const auto& info) { return std::string(info.param.name); });

// Values the format does not allow are marked; values it allows never are.
struct FlagCase {
  const char* name;
  const char* file;
  std::function<void(std::string&)> change;
  const char* line;
  const char* reason;  // empty: the line must not be flagged
};
void PrintTo(const FlagCase& c, std::ostream* os) {
  *os << c.name;
}

class DumpFlags : public DumpCommand, public ::testing::WithParamInterface<FlagCase> {};

TEST_P(DumpFlags, MarksOnlyWhatTheFormatForbids) {
  test_support::TempDir dir;
  std::string bytes = read_file(file(GetParam().file));
  GetParam().change(bytes);
  write_file(dir / GetParam().file, bytes);
  const auto run = run_tracciato({"dump", GetParam().file, "--all"}, dir.path());
  EXPECT_EQ(run.status, 0) << run.err;
  const std::string line = line_of(run.out, GetParam().line);
  if (std::string(GetParam().reason).empty()) {
    EXPECT_FALSE(line.starts_with("!")) << line;
  } else {
    EXPECT_TRUE(line.starts_with("! ")) << line;
    EXPECT_TRUE(shows(line, std::string("!(") + GetParam().reason + ")"));
  }
}

std::function<void(std::string&)> set_byte(std::size_t at, char value) {
  return [at, value](std::string& b) { b[at] = value; };
}

INSTANTIATE_TEST_SUITE_P(
    Dump, DumpFlags,
    ::testing::Values(
        FlagCase{"CellTypeOutsideTheKnownSet", kCells, set_byte(2 * kCell, 7),
                 "cell 2:", "not a cell type of the format"},
        FlagCase{"StationMarkerNamingNoRecord", kCells, set_byte(101 * kCell + 1, 0),
                 "cell 101:", "names a header record outside 1 to 80"},
        FlagCase{"CellStampChanged", kCells, set_byte(15 + 1, 2),
                 "cell 1:", "the stamp is always 5121"},
        FlagCase{"RecordZeroNotCleared", kHeader, set_byte(0, 3), "record 0,",
                 "not used by this record, always 0"},
        FlagCase{"AnyGradientIsAllowed", kCells, set_byte(2 * kCell + 13, '\xff'), "cell 2:", ""},
        FlagCase{"AnySpeedIsAllowed", kCells, set_byte(2 * kCell + 12, '\xff'), "cell 2:", ""},
        FlagCase{"AnyStationKindIsAllowed", kHeader, set_byte(34, '\xfe'), "record 1:", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DumpCommand, RandomBytesAreFlaggedOrRefusedNeverShownAsValid) {
  std::mt19937 random(15);
  std::uniform_int_distribution<int> byte(0, 255);
  test_support::TempDir dir;
  for (const char* name : {kHeader, kCells, kGeometry}) {
    std::string bytes(3000, '\0');
    for (char& c : bytes) c = static_cast<char>(byte(random));
    write_file(dir / name, bytes);
    for (const char* form : {"--all", "--json"}) {
      const auto run = run_tracciato({"dump", name, form}, dir.path());
      const bool flagged = run.out.find("\n! ") != std::string::npos ||
                           run.out.find("\"invalid\"") != std::string::npos;
      EXPECT_TRUE(run.status == 1 || (run.status == 0 && flagged))
          << name << " " << form << ": " << run.status << run.err;
    }
  }
}

TEST_F(DumpCommand, KindFromTheBytesWhenTheNameDoesNotSay) {
  test_support::TempDir dir;
  const std::vector<std::pair<const char*, const char*>> cases = {
      {kHeader, "# header file: 87 records"},
      {kCells, "# cell file: 341 cells"},
      {kGeometry, "# geometry file: 17001 metres"}};
  for (const auto& [name, heading] : cases) {
    write_file(dir / "copy.bin", read_file(file(name)));
    const auto run = run_tracciato({"dump", "copy.bin"}, dir.path());
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(run.out.starts_with(heading)) << name << ": " << lines_of(run.out).front();
  }
  write_file(dir / "odd.bin", "seven b");
  const auto run = run_tracciato({"dump", "odd.bin"}, dir.path());
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("cannot tell what"), std::string::npos) << run.err;
}

// --diff as cmp and diff give their status.
struct DiffCase {
  const char* name;
  std::vector<std::string> args;
  int status;
  const char* count;  // the closing line, when the files compare; empty when they cannot
};
void PrintTo(const DiffCase& c, std::ostream* os) {
  *os << c.name;
}

class DumpDiff : public DumpCommand, public ::testing::WithParamInterface<DiffCase> {
 protected:
  static void SetUpTestSuite() {
    DumpCommand::SetUpTestSuite();
    // The signal's first aspect pair 43 becomes 44: one cell differs.
    std::string bytes = read_file(file(kCells));
    bytes[61 * kCell + 1] = 44;
    write_file(file("Other_1.dat"), bytes);
    bytes = read_file(file(kCells));
    bytes.resize(bytes.size() - 1);
    write_file(file("Cut_1.dat"), bytes);
    // The station's name PROVA (record 1's text, from byte 34 + 16) becomes PROVE.
    bytes = read_file(file(kHeader));
    bytes[34 + 16 + 4] = 'E';
    write_file(file("Other_1.sim"), bytes);
  }
};

TEST_P(DumpDiff, CountsWhatDiffers) {
  std::vector<test_support::Arg> args = {"--diff"};
  args.insert(args.end(), GetParam().args.begin(), GetParam().args.end());
  const auto run = dump(args);
  EXPECT_EQ(run.status, GetParam().status) << run.err;
  if (*GetParam().count != '\0') {
    const auto lines = lines_of(run.out);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), GetParam().count);
  } else {
    EXPECT_NE(run.err, "");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Dump, DumpDiff,
    ::testing::Values(DiffCase{"IdenticalFiles", {kCells, kCells}, 0, "0 cells differ"},
                      DiffCase{"OneCellChanged", {kCells, "Other_1.dat"}, 1, "1 cell differs"},
                      DiffCase{"ChangeOutsideTheRange",
                               {kCells, "Other_1.dat", "--from", "4000"},
                               0,
                               "0 cells differ"},
                      DiffCase{"OneRecordChanged", {kHeader, "Other_1.sim"}, 1, "1 record differs"},
                      DiffCase{"IdenticalGeometries", {kGeometry, kGeometry}, 0, "0 metres differ"},
                      DiffCase{"FilesOfDifferentKinds", {kCells, kHeader}, 2, ""},
                      DiffCase{"OneFileOnly", {kCells}, 2, ""},
                      DiffCase{"MissingFile", {kCells, "Absent_1.dat"}, 3, ""},
                      DiffCase{"DamagedFile", {kCells, "Cut_1.dat"}, 1, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DumpCommand, DiffShowsBothSidesDecoded) {
  std::string bytes = read_file(file(kCells));
  bytes[61 * kCell + 1] = 44;
  write_file(file("Changed_1.dat"), bytes);
  const auto run = dump({"--diff", kCells, "Changed_1.dat"});
  EXPECT_EQ(run.status, 1) << run.err;
  EXPECT_TRUE(shows(line_of(run.out, "< cell 61:"), "aspects_1=43 (left 4, right 3)"));
  EXPECT_TRUE(shows(line_of(run.out, "> cell 61:"), "aspects_1=44 (left 4, right 4)"));
  if (kBuiltForWindows) return;
  const fs::path json =
      json_of(dump({"--diff", kCells, "Changed_1.dat", "--json"}), file("diff.json"));
  EXPECT_EQ(jq(json,
               ".[0] | [.count, .differences[0].a.aspects_1.raw, "
               ".differences[0].b.aspects_1.raw]"),
            "[1,43,44]\n");
}

TEST_F(DumpCommand, UsageErrorsAndUnreadableFiles) {
  fs::create_directory(file("Folder_1.dat"));
  const std::vector<std::pair<std::vector<std::string>, int>> cases = {
      {{}, 2},
      {{kHeader, kCells}, 2},
      {{kHeader, "--colour"}, 2},
      {{kHeader, "--from", "km3"}, 2},
      {{"Absent_1.sim"}, 3},
      {{"Folder_1.dat"}, 3},
  };
  for (const auto& [args, status] : cases) {
    const auto run = dump({args.begin(), args.end()});
    EXPECT_EQ(run.status, status) << ::testing::PrintToString(args) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err, "");
  }
}

}  // namespace
}  // namespace tracciato
