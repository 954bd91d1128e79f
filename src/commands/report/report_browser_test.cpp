#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "platform/system.h"
#include "testing/files.h"

namespace tracciato {
namespace {

namespace fs = std::filesystem;

const fs::path kChromium = "/usr/bin/chromium";

struct Rendered {
  int status = -1;
  std::string dom;
  std::vector<std::string> console;  // what the page logged
};

// The page as headless Chromium renders it, with a fresh profile and no network use.
Rendered render(const fs::path& page) {
  const testing::TempDir profile;
  const auto run = testing::run_program(
      "/usr/bin/timeout",
      {"120", kChromium.string(), "--headless", "--no-sandbox", "--disable-gpu",
       "--disable-background-networking", "--disable-component-update", "--disable-sync",
       "--no-first-run", "--user-data-dir=" + profile.path().string(), "--enable-logging=stderr",
       "--dump-dom", "file://" + page.string()},
      page.parent_path());
  Rendered r{run.status, run.out, {}};
  std::istringstream log(run.err);
  for (std::string line; std::getline(log, line);) {
    if (line.find(":CONSOLE") != std::string::npos) r.console.push_back(line);
  }
  return r;
}

std::size_t count(const std::string& text, const std::string& what) {
  std::size_t n = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
    ++n;
  }
  return n;
}

std::string svg_of(const std::string& dom, const std::string& id) {
  const std::size_t from = dom.find("<svg id=\"" + id + "\"");
  if (from == std::string::npos) return "";
  return dom.substr(from, dom.find("</svg>", from) - from);
}

class ReportBrowser : public ::testing::Test {
 protected:
  void SetUp() override {
    if (kBuiltForWindows) GTEST_SKIP() << "headless Chromium is a Linux tool here";
    ASSERT_TRUE(fs::exists(kChromium))
        << kChromium << " is missing: the report is checked in headless Chromium "
        << "(Debian package chromium)";
    const auto run = testing::run_tracciato({"report", "--out", "report.html"}, dir_.path());
    ASSERT_EQ(run.status, 0) << run.err;
  }

  testing::TempDir dir_;
};

TEST_F(ReportBrowser, EmbeddedReportLoadsCleanlyWithOneMarkPerObject) {
  const Rendered r = render(dir_ / "report.html");
  ASSERT_EQ(r.status, 0);
  EXPECT_EQ(r.console, std::vector<std::string>{});
  // The embedded train has 25 stations, 56 signals and 3 slowdowns.
  for (const char* id : {"plan", "profile"}) {
    const std::string svg = svg_of(r.dom, id);
    EXPECT_EQ(count(svg, "data-kind=\"station\""), 25u) << id;
    EXPECT_EQ(count(svg, "data-kind=\"signal\""), 56u) << id;
    EXPECT_EQ(count(svg, "data-kind=\"slowdown\""), 3u) << id;
  }
  EXPECT_EQ(count(r.dom, "class=\"station-row\""), 25u);
}

TEST_F(ReportBrowser, AnythingLoadedFromOutsideThePageIsAConsoleError) {
  // What the clean load above rests on: the page refuses every outside resource, loudly.
  std::string page = testing::read_file(dir_ / "report.html");
  page.insert(page.find("<body>") + 6, "<img src=\"elsewhere.png\">");
  testing::write_file(dir_ / "loading.html", page);
  const Rendered r = render(dir_ / "loading.html");
  ASSERT_EQ(r.status, 0);
  ASSERT_EQ(r.console.size(), 1u);
  EXPECT_NE(r.console[0].find("elsewhere.png"), std::string::npos) << r.console[0];
}

}  // namespace
}  // namespace tracciato
