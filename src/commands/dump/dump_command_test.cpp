#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <ostream>
#include <sstream>
#include <string>

#include "platform/system.h"
#include "testing/files.h"

namespace tracciato {
namespace {

namespace fs = std::filesystem;
using testing::read_file;
using testing::run_tracciato;
using testing::write_file;

const char* const kHeader = "BrenzanoC_OstuviaC_4417.sim";
const char* const kCells = "BrenzanoC_OstuviaC_4417.dat";
const char* const kGeometry = "BrenzanoC_OstuviaC_linea.dat";

// The compiled files of the embedded scenario, built once by the program itself.
class DumpCommand : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = std::make_unique<testing::TempDir>();
    const fs::path d = dir_->path();
    ASSERT_EQ(run_tracciato({"export", "--out", d}, d).status, 0);
    const auto run = run_tracciato(
        {"compile", "BrenzanoC_OstuviaC_linea.txt", "BrenzanoC_OstuviaC_4417-.txt", "--out", d}, d);
    ASSERT_EQ(run.status, 0) << run.err;
  }
  static void TearDownTestSuite() { dir_.reset(); }

  static fs::path file(const char* name) { return dir_->path() / name; }

  static testing::ProgramRun dump(std::vector<testing::Arg> args) {
    args.insert(args.begin(), "dump");
    return run_tracciato(args, dir_->path());
  }

  // The line that starts with `key`, e.g. "cell=1 ".
  static std::string line_of(const std::string& out, const std::string& key) {
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);) {
      if (line.starts_with(key)) return line;
    }
    return "(no line " + key + ")";
  }

  static std::size_t lines_starting(const std::string& out, const std::string& prefix) {
    std::istringstream in(out);
    std::size_t n = 0;
    for (std::string line; std::getline(in, line);) n += line.starts_with(prefix) ? 1 : 0;
    return n;
  }

  static std::unique_ptr<testing::TempDir> dir_;
};

std::unique_ptr<testing::TempDir> DumpCommand::dir_;

::testing::AssertionResult has_field(const std::string& line, const std::string& field) {
  if ((line + " ").find(" " + field + " ") != std::string::npos) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure() << "no " << field << " in: " << line;
}

TEST_F(DumpCommand, HeaderRecordsByTheirFieldNames) {
  const auto run = dump({kHeader});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(lines_starting(run.out, "record="), 87u);
  const std::string identity = line_of(run.out, "record=85 ");
  for (const char* f : {"record_text=\"BrenzanoC_OstuviaC\"", "record_word_1=610",
                        "record_start=78300", "record_end=26800", "record_position=1"}) {
    EXPECT_TRUE(has_field(identity, f));
  }
  const std::string settings = line_of(run.out, "record=86 ");
  for (const char* f : {"record_text=\"4417\"", "record_word_1=100", "record_word_3=14",
                        "record_word_4=9", "record_word_5=45"}) {
    EXPECT_TRUE(has_field(settings, f));
  }
  const std::string first_station = line_of(run.out, "record=1 ");
  for (const char* f : {"offset=34", "record_kind=7", "record_start=-300", "record_end=300",
                        "record_text=\"BRENZANO C.le\"", "record_time=51000"}) {
    EXPECT_TRUE(has_field(first_station, f));
  }
  EXPECT_TRUE(has_field(line_of(run.out, "record=84 "), "record_end=136000"));
}

TEST_F(DumpCommand, CellsWithObjectsByTheirFieldNames) {
  const auto run = dump({kCells});
  ASSERT_EQ(run.status, 0) << run.err;
  // Cell 1 begins 00 01 14: the stamp 5121; its competition code is the file's bytes 18, 19.
  const std::string bytes = read_file(file(kCells));
  const auto code = static_cast<std::int16_t>(static_cast<unsigned char>(bytes[18]) |
                                              static_cast<unsigned char>(bytes[19]) << 8);
  const std::string cell1 = line_of(run.out, "cell=1 ");
  EXPECT_TRUE(has_field(cell1, "offset=15"));
  EXPECT_TRUE(has_field(cell1, "cell_type=0"));
  EXPECT_TRUE(has_field(cell1, "cell_value=5121"));
  EXPECT_TRUE(has_field(cell1, "cell_value_2=" + std::to_string(code)));
  // The signal at 104300 m and its approach marks; the slowdown at 72400 m.
  const std::string signal = line_of(run.out, "cell=2087 ");
  for (const char* f :
       {"cell_type=1", "cell_value=43", "cell_value_2=11", "cell_value_3=0", "cell_value_4=4"}) {
    EXPECT_TRUE(has_field(signal, f));
  }
  EXPECT_TRUE(has_field(line_of(run.out, "cell=2085 "), "cell_approach_mark=41"));
  EXPECT_TRUE(has_field(line_of(run.out, "cell=2079 "), "cell_approach_mark=44"));
  EXPECT_TRUE(has_field(line_of(run.out, "cell=1425 "), "cell_type=4"));
  EXPECT_TRUE(has_field(line_of(run.out, "cell=1449 "), "cell_value_3=1"));
  EXPECT_TRUE(has_field(line_of(run.out, "cell=1453 "), "cell_type=2"));
  EXPECT_TRUE(has_field(line_of(run.out, "cell=5 "), "cell_type=10"));
  // Cell 0 holds only its profiles: left out unless --all.
  EXPECT_EQ(line_of(run.out, "cell=0 "), "(no line cell=0 )");
  const auto all = dump({kCells, "--all"});
  EXPECT_EQ(lines_starting(all.out, "cell="), 2861u);
  EXPECT_TRUE(has_field(line_of(all.out, "cell=0 "), "cell_gradient=100"));
}

TEST_F(DumpCommand, GeometryOnePointPerLineThinnedUnlessAll) {
  const auto run = dump({kGeometry});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(line_of(run.out, "metre=0 "), "metre=0 lateral_tag=2 lateral=0 along_tag=2 along=0");
  // Straight up to the first curve at 300 m; the last two metres stay empty.
  EXPECT_EQ(line_of(run.out, "metre=300 "),
            "metre=300 lateral_tag=5 lateral=0 along_tag=5 along=300");
  EXPECT_EQ(line_of(run.out, "metre=142999 "),
            "metre=142999 lateral_tag=0 lateral=empty along_tag=0 along=empty");
  EXPECT_EQ(line_of(run.out, "metre=150 "), "(no line metre=150 )");
  const auto all = dump({kGeometry, "--all"});
  EXPECT_EQ(lines_starting(all.out, "metre="), 143001u);
  EXPECT_EQ(line_of(all.out, "metre=1 "), "metre=1 lateral_tag=2 lateral=0 along_tag=2 along=1");
}

// jq reads the JSON: one value, nothing else on standard output.
std::string jq(const fs::path& json, const std::string& query) {
  EXPECT_TRUE(fs::exists("/usr/bin/jq")) << "the JSON tests need jq (Debian package jq)";
  const auto run =
      testing::run_program("/usr/bin/jq", {"-c", "-s", query, json}, json.parent_path());
  EXPECT_EQ(run.status, 0) << run.err;
  return run.out;
}

TEST_F(DumpCommand, JsonHoldsEveryItemAndField) {
  if (kBuiltForWindows) GTEST_SKIP() << "the JSON is read with jq, a Linux tool here";
  for (const char* name : {kHeader, kCells, kGeometry}) {
    const auto run = dump({name, "--json"});
    ASSERT_EQ(run.status, 0) << run.err;
    write_file(file(name).string() + ".json", run.out);
  }
  const fs::path header = file(kHeader).string() + ".json";
  EXPECT_EQ(jq(header, "[length, .[0].kind, (.[0].records | length)]"), "[1,\"header\",87]\n");
  EXPECT_EQ(jq(header, ".[0].records[85] | [.offset, .record_text, .record_word_1]"),
            // Records 85 and 86 close the file: 34 bytes each plus their texts.
            "[" + std::to_string(read_file(file(kHeader)).size() - (34 + 18) - (34 + 4)) +
                ",\"BrenzanoC_OstuviaC\",610]\n");
  const fs::path cells = file(kCells).string() + ".json";
  EXPECT_EQ(jq(cells,
               "[(.[0].cells | length), .[0].cells[0].cell_gradient, "
               ".[0].cells[2087].cell_value_4, .[0].cells[1].cell_value]"),
            "[2861,100,4,5121]\n");
  EXPECT_EQ(jq(cells, ".[0].cells[2087] | keys_unsorted"),
            "[\"index\",\"offset\",\"cell_type\",\"cell_value\",\"cell_value_2\",\"cell_value_3\","
            "\"cell_value_4\",\"cell_timer\",\"cell_approach_mark\",\"cell_mountain\","
            "\"cell_speed\",\"cell_gradient\",\"cell_adhesion\"]\n");
  const fs::path geometry = file(kGeometry).string() + ".json";
  EXPECT_EQ(jq(geometry,
               "[(.[0].points | length), .[0].points[1].along, .[0].points[300].along, "
               ".[0].points[143000].lateral]"),
            "[143001,1,300,null]\n");
}

struct DamagedFile {
  const char* name;
  const char* file;
  std::function<void(std::string&)> damage;
  const char* complaint;
};
void PrintTo(const DamagedFile& d, std::ostream* os) {
  *os << d.name;
}

class DumpDamagedFile : public DumpCommand, public ::testing::WithParamInterface<DamagedFile> {};

TEST_P(DumpDamagedFile, IsRefusedNamingTheOffset) {
  testing::TempDir dir;
  std::string bytes = read_file(file(GetParam().file));
  GetParam().damage(bytes);
  write_file(dir / GetParam().file, bytes);
  for (const bool json : {false, true}) {
    const auto run =
        run_tracciato(json ? std::vector<testing::Arg>{"dump", GetParam().file, "--json"}
                           : std::vector<testing::Arg>{"dump", GetParam().file},
                      dir.path());
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find(GetParam().file), std::string::npos) << run.err;
    EXPECT_NE(run.err.find(GetParam().complaint), std::string::npos) << run.err;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Dump, DumpDamagedFile,
    ::testing::Values(
        // Record 0 is 34 bytes, record 1 (BRENZANO C.le) 47; record 2's text, CASTELVERSO,
        // starts at 97.
        DamagedFile{"TruncatedHeader", kHeader, [](std::string& b) { b.resize(100); },
                    "offset 97: truncated: record 2's record_text needs 11 bytes, only 3 left"},
        DamagedFile{"CellFileOfWrongLength", kCells, [](std::string& b) { b.resize(b.size() - 7); },
                    "offset 42900: wrong length"},
        // Coordinate 0 of metre 100: two 4-byte seeds, then 98 values of 10 bytes.
        DamagedFile{"UnknownGeometryTag", kGeometry, [](std::string& b) { b[8 + 98 * 10] = 7; },
                    "offset 988: unknown geometry tag 7"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DumpCommand, UsageErrorsAndUnreadableFiles) {
  fs::create_directory(file("Folder_1.dat"));
  const std::vector<std::pair<std::vector<std::string>, int>> cases = {
      {{}, 2},
      {{kHeader, kCells}, 2},
      {{kHeader, "--colour"}, 2},
      {{"notes.txt"}, 2},
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
