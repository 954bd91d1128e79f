#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "base/utf8_path.h"
#include "commands/report/report_plan.h"
#include "testing/descriptions.h"
#include "testing/files.h"

namespace tracciato {
namespace {

namespace fs = std::filesystem;
using test_support::read_file;
using test_support::run_tracciato;
using test_support::write_file;

const char* const kLine = "BrenzanoC_OstuviaC_linea.txt";
const char* const kTrain = "BrenzanoC_OstuviaC_4417-.txt";

// The value of `attribute` on the first element whose attributes begin with `start`.
std::string attribute_after(const std::string& page, const std::string& start,
                            const std::string& attribute) {
  const std::size_t element = page.find(start);
  if (element == std::string::npos) return "";
  const std::size_t from = page.find(attribute + "=\"", element) + attribute.size() + 2;
  return page.substr(from, page.find('"', from) - from);
}

std::size_t count(const std::string& text, char c) {
  return static_cast<std::size_t>(std::count(text.begin(), text.end(), c));
}

std::size_t count(const std::string& text, const std::string& what) {
  std::size_t n = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
    ++n;
  }
  return n;
}

TEST(ReportCommand, EmbeddedScenarioInOneSelfContainedPage) {
  test_support::TempDir dir;
  const auto run = run_tracciato({"report"}, dir.path());
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "wrote BrenzanoC_OstuviaC_4417.html\n");
  EXPECT_EQ(run_tracciato({"report", "--quiet"}, dir.path()).err, "");
  const std::string page = read_file(dir / "BrenzanoC_OstuviaC_4417.html");
  EXPECT_TRUE(page.starts_with("<!DOCTYPE html>"));
  for (const char* part : {"<svg id=\"plan\"", "<svg id=\"profile\"", "<table id=\"timetable\""}) {
    EXPECT_NE(page.find(part), std::string::npos) << part;
  }
  for (const char* outside : {" src=", "url(http", "@import", "fetch(", "XMLHttpRequest"}) {
    EXPECT_EQ(page.find(outside), std::string::npos) << outside;
  }
  // References stay within the page.
  EXPECT_EQ(count(page, " href=\""), count(page, " href=\"#"));
  // The same scenario given as files gives the same page.
  ASSERT_EQ(run_tracciato({"export"}, dir.path()).status, 0);
  const auto files = run_tracciato({"report", kLine, kTrain, "--out", "again.html"}, dir.path());
  EXPECT_EQ(files.status, 0) << files.err;
  EXPECT_EQ(read_file(dir / "again.html"), page);
  EXPECT_TRUE(fs::exists(dir / kLine));  // descriptions never deleted
  EXPECT_TRUE(fs::exists(dir / kTrain));
}

// The page's paragraph that says where a scenario drawn from compiled files came from.
std::string drawn_from(const std::string& page) {
  const std::string start = "<p id=\"drawn-from\">";
  const std::size_t at = page.find(start);
  if (at == std::string::npos) return "";
  return page.substr(at, page.find("</p>", at) + 4 - at);
}

class ReportOfACompiledSet : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directory(dir / "set");
    ASSERT_EQ(run_tracciato({"--out", "set", "--headless", "--quiet"}, dir.path()).status, 0);
    ASSERT_EQ(run_tracciato({"report", "--out", "embedded.html"}, dir.path()).status, 0);
  }
  test_support::ProgramRun report_of_set(const std::string& out) {
    return run_tracciato({"report", fs::path("set") / "BrenzanoC_OstuviaC_4417.sim", "--out", out},
                         dir.path());
  }
  test_support::TempDir dir;
};

TEST_F(ReportOfACompiledSet, IsTheScenariosOwnPageSayingItWasDrawnFromTheCompiledFiles) {
  const auto run = report_of_set("drawn.html");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "wrote drawn.html\n");
  const std::string page = read_file(dir / "drawn.html");
  const std::string paragraph = drawn_from(page);
  EXPECT_EQ(paragraph,
            "<p id=\"drawn-from\">Drawn from the compiled files BrenzanoC_OstuviaC_4417.sim, "
            "BrenzanoC_OstuviaC_4417.dat and BrenzanoC_OstuviaC_linea.dat through the "
            "descriptions the decompiler gives for them, which compile to their very bytes.</p>");
  std::string without = page;
  without.erase(page.find(paragraph), paragraph.size());
  EXPECT_EQ(without, read_file(dir / "embedded.html"));
  EXPECT_EQ(drawn_from(read_file(dir / "embedded.html")), "");
}

TEST_F(ReportOfACompiledSet, WithoutItsGeometryFileSaysSoAndDrawsNoPlan) {
  fs::remove(dir / "set" / "BrenzanoC_OstuviaC_linea.dat");
  const auto run = report_of_set("drawn.html");
  EXPECT_EQ(run.status, 0) << run.err;
  const std::string page = read_file(dir / "drawn.html");
  EXPECT_NE(drawn_from(page).find("BrenzanoC_OstuviaC_4417.dat, without a "
                                  "BrenzanoC_OstuviaC_linea.dat, through the descriptions"),
            std::string::npos)
      << drawn_from(page);
  EXPECT_NE(page.find("No plan"), std::string::npos);
}

TEST_F(ReportOfACompiledSet, ThatIsDamagedWritesNoPage) {
  write_file(dir / "set" / "BrenzanoC_OstuviaC_4417.sim", "too short");
  const auto run = report_of_set("drawn.html");
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(run.err.starts_with("tracciato: ")) << run.err;
  EXPECT_NE(run.err.find("offset "), std::string::npos) << run.err;
  EXPECT_FALSE(fs::exists(dir / "drawn.html"));
}

TEST(ReportCommand, ACompileErrorIsStatusOneWithTheReportWritten) {
  test_support::TempDir dir;
  ASSERT_EQ(run_tracciato({"export"}, dir.path()).status, 0);
  std::string line = read_file(dir / kLine);
  line.insert(line.find("[fine]"), "cartello_indicatore,  850,   (G)\r\n");
  write_file(dir / "Rotta_linea.txt", line);
  fs::copy_file(dir / kTrain, dir / "Rotta_9-.txt");
  const auto run = run_tracciato({"report", "Rotta_linea.txt", "Rotta_9-.txt"}, dir.path());
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(run.err.starts_with(" Errore n. 6\nRotta_linea.txt:")) << run.err;
  EXPECT_TRUE(run.err.ends_with("\nwrote Rotta_9.html\n")) << run.err;
  const std::string page = read_file(dir / "Rotta_9.html");
  EXPECT_NE(page.find("the signboard at 850 m (km 136+500) falls in the same 50 m of track"),
            std::string::npos);
  EXPECT_NE(page.find("data-kind=\"error\" data-position=\"850\""), std::string::npos);
}

// The compile refuses it only as it writes the header; the report says so at its row.
TEST(ReportCommand, AStationNameTheHeaderCannotHoldIsAnErrorAtItsRow) {
  test_support::TempDir dir;
  ASSERT_EQ(run_tracciato({"export"}, dir.path()).status, 0);
  std::string train = read_file(dir / kTrain);
  const std::size_t name = train.find("BRENZANO C.le\r\n");
  ASSERT_NE(name, std::string::npos);
  train.insert(name, std::string(70000, 'A'));
  write_file(dir / "Lunga_9-.txt", train);
  fs::copy_file(dir / kLine, dir / "Lunga_linea.txt");
  const auto run = run_tracciato({"report", "Lunga_linea.txt", "Lunga_9-.txt"}, dir.path());
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(run.err.starts_with(" Errore n. 25\nLunga_9-.txt:")) << run.err.substr(0, 200);
  const std::string page = read_file(dir / "Lunga_9.html");
  EXPECT_NE(page.find("the station name is 70,013 bytes long"), std::string::npos);
}

TEST(ReportCommand, UsageErrorsWriteNothing) {
  test_support::TempDir dir;
  ASSERT_EQ(run_tracciato({"export"}, dir.path()).status, 0);
  const std::vector<std::vector<std::string>> cases = {
      {"--base", "Altro"},
      {kLine},
      {kLine, kTrain, kTrain},
      {kLine, kTrain, "--out", kTrain},
      {kLine, "plain.txt"},
      {kTrain, kLine},
      {"--colour"},
      {"--out"},
  };
  const auto before = test_support::file_names(dir.path());
  for (std::vector<std::string> args : cases) {
    args.insert(args.begin(), "report");
    const auto run = run_tracciato({args.begin(), args.end()}, dir.path());
    EXPECT_EQ(run.status, 2) << ::testing::PrintToString(args);
    EXPECT_TRUE(run.err.starts_with("usage: tracciato report")) << run.err;
  }
  EXPECT_EQ(test_support::file_names(dir.path()), before);
}

TEST(ReportCommand, UnwritableReportIsStatusThree) {
  test_support::TempDir dir;
  fs::create_directory(dir / "taken.html");
  for (const char* out : {"taken.html", "absent/r.html"}) {
    const auto run = run_tracciato({"report", "--out", out}, dir.path());
    EXPECT_EQ(run.status, 3) << out;
    EXPECT_TRUE(run.err.starts_with("tracciato: cannot write " + shown_path(out) + ": "))
        << run.err;
    EXPECT_TRUE(run.err.ends_with("\nnothing was written\n")) << run.err;
  }
}

TEST(ReportCommand, AReadOnlyReportStaysUnlessForced) {
  test_support::TempDir dir;
  write_file(dir / "kept.html", "earlier");
  fs::permissions(dir / "kept.html",
                  fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  const auto refused = run_tracciato({"report", "--out", "kept.html"}, dir.path());
  EXPECT_EQ(refused.status, 3);
  EXPECT_EQ(refused.err,
            "tracciato: cannot write kept.html: it is read-only; --force replaces it\n"
            "nothing was written\n");
  EXPECT_EQ(read_file(dir / "kept.html"), "earlier");
  const auto forced = run_tracciato({"report", "--out", "kept.html", "--force"}, dir.path());
  EXPECT_EQ(forced.status, 0) << forced.err;
  EXPECT_NE(read_file(dir / "kept.html"), "earlier");
}

// A line of 1000000 m: a curve every 2 km, a gradient change every 500 m; a train with
// stations, signals and slowdowns along it.
std::pair<std::string, std::string> million_metre_scenario() {
  std::vector<std::string> line;
  for (int p = 0; p < 1000000; p += 2000) {
    line.emplace_back(std::string("curva") + (p % 4000 == 0 ? "d" : "s") +
                      std::to_string(p / 2000 % 6 + 1) + ",  " + std::to_string(p + 200) +
                      ",  600");
  }
  for (int p = 0; p < 1000000; p += 500) {
    line.emplace_back("pendenza,  " + std::to_string(p) + ",  " +
                      std::to_string(p / 500 % 25 - 12));
  }
  std::vector<std::string> train;
  for (int p = 0; p < 1000000; p += 10000) {
    train.emplace_back("velocita,  " + std::to_string(p) + ",  " + (p % 20000 == 0 ? "80" : "120"));
  }
  for (int k = 0; k < 10; ++k) {
    train.emplace_back("stazione,  " + std::to_string(k * 100000 + 50000) +
                       ",  2,  200,  0, 0, 0,  1,1,0,  2,1,1,   50,  8, 0, 0, S" +
                       std::to_string(k));
  }
  for (int k = 0; k < 50; ++k) {
    train.emplace_back("segnale,  " + std::to_string(k * 20000 + 7000) +
                       ",  1, 4, 1,  0, 0,  0,  0,0,0, 0");
  }
  train.emplace_back("rallentamento,  300000,  60,  1000, 1,  0,  0");
  train.emplace_back("rallentamento,  700000,  40,  500, 1,  1,  0");
  return {test_support::line_description_with(
              {"lunghezza percorso,  1000000", "ripetizione segnali 4 codici,    0    ,0"}, line),
          test_support::train_description(train)};
}

TEST(ReportCommand, AMillionMetreRouteStaysSmall) {
  test_support::TempDir dir;
  const auto [line, train] = million_metre_scenario();
  write_file(dir / "Lungo_linea.txt", line);
  write_file(dir / "Lungo_1-.txt", train);
  const auto run = run_tracciato({"report", "Lungo_linea.txt", "Lungo_1-.txt"}, dir.path());
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string page = read_file(dir / "Lungo_1.html");
  EXPECT_LE(page.size(), 2u * 1024 * 1024);
  // The plan: simplified, yet following the 500 curves.
  const std::size_t plan_points =
      count(attribute_after(page, "<polyline class=\"line\"", "points"), ',');
  EXPECT_LE(plan_points, kPlanPoints);
  EXPECT_GT(plan_points, 1000u);
  // The profiles: one step per change of value, so never more than one per 50 m cell.
  const std::string gradient = attribute_after(page, "<path class=\"gradient\"", "d");
  const std::string speed = attribute_after(page, "<path class=\"speed-limit\"", "d");
  EXPECT_EQ(count(gradient, 'H'), 2000u);  // one per gradient row
  // One per speed-limit row, and one more for each of the two slowdowns: each starts where
  // a row starts and cuts that row's stretch in two.
  EXPECT_EQ(count(speed, 'H'), 102u);
}

}  // namespace
}  // namespace tracciato
