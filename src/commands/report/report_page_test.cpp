#include "commands/report/report_page.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "commands/report/report_findings.h"
#include "compile/pipeline.h"
#include "testing/descriptions.h"

namespace tracciato {
namespace {

using test_support::line_description;
using test_support::line_description_with;
using test_support::train_description;

std::size_t count(const std::string& text, const std::string& what) {
  std::size_t n = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
    ++n;
  }
  return n;
}

// The markup of the element that starts with `start_tag`, up to its "</svg>".
std::string svg_of(const std::string& page, const std::string& start_tag) {
  const std::size_t from = page.find(start_tag);
  if (from == std::string::npos) return "";
  return page.substr(from, page.find("</svg>", from) - from);
}

TEST(ReportPage, TextsAreConvertedFromTheCodePageAndEscaped) {
  const Scenario s = test_support::compile(
      line_description({"cartello_indicatore,  2000,   (Ponte <1> & \"2\")"}),
      train_description({"stazione,  1000,  2,  200,  0, 0, 0,  1,1,0,  2,1,1,   50,  8, 5, 0, "
                         "CITT\xC0 <B&B>"}),
      1, "Prova", "1");
  ASSERT_FALSE(s.errors.failed()) << s.errors.explanation;
  const std::string page = report_page(s);
  EXPECT_NE(page.find(">CITT\u00c0 &lt;B&amp;B&gt;</td>"), std::string::npos);
  EXPECT_NE(page.find("<title>CITT\u00c0 &lt;B&amp;B&gt;, 1000 m"), std::string::npos);
  EXPECT_NE(page.find("signboard (Ponte &lt;1&gt; &amp; &quot;2&quot;), 2000 m"),
            std::string::npos);
  EXPECT_EQ(page.find("<B&B>"), std::string::npos);
}

TEST(ReportPage, ACompileErrorIsExplainedAndMarkedOnPlanAndProfile) {
  const Scenario s = test_support::compile(
      line_description({"curvad5,  500,  300", "cartello_indicatore,  4000,   (A)",
                        "cartello_indicatore,  4010,   (B)"}),
      train_description({}));
  ASSERT_EQ(s.errors.error_code, 6);
  const std::string page = report_page(s);
  EXPECT_NE(page.find("<pre> Errore n. 6\nlinea.txt:"), std::string::npos);
  EXPECT_NE(page.find("the signboard at 4,010 m falls in the same 50 m of track"),
            std::string::npos);
  for (const char* svg : {"<svg id=\"plan\"", "<svg id=\"profile\""}) {
    EXPECT_EQ(count(svg_of(page, svg), "data-kind=\"error\" data-position=\"4010\""), 1u) << svg;
  }
}

TEST(ReportPage, WithoutCellsOnlyTheErrorIsShown) {
  // No route length row: nothing was allocated (error 25).
  const Scenario s = test_support::compile(
      test_support::line_description_with({"ripetizione segnali 4 codici,    0    ,0"}, {}),
      train_description({}));
  ASSERT_EQ(s.errors.error_code, 25);
  const std::string page = report_page(s);
  EXPECT_NE(page.find(" Errore n. 25"), std::string::npos);
  EXPECT_EQ(page.find("<svg id="), std::string::npos);
  EXPECT_NE(page.find("No plan"), std::string::npos);
  EXPECT_NE(page.find("No profile"), std::string::npos);
}

// The compile as the report runs it, its findings heard by `findings`.
Scenario compile_heard(const std::string& line, const std::string& train, FindingList& findings) {
  MemoryDescription l("linea.txt", line);
  MemoryDescription t("treno.txt", train);
  return memorizza_percorso({l, t, {"Prova", "1"}, 1}, &findings);
}

// The cells of the timetable row whose station is `name`.
std::vector<std::string> row_of(const std::string& page, const std::string& name) {
  const std::size_t name_cell = page.find("<td class=\"name\">" + name + "</td>");
  if (name_cell == std::string::npos) return {};
  const std::size_t from = page.rfind("<tr", name_cell);
  const std::size_t to = page.find("</tr>", name_cell);
  std::vector<std::string> cells;
  for (std::size_t at = page.find("<td", from); at < to; at = page.find("<td", at + 1)) {
    const std::size_t open_end = page.find('>', at) + 1;
    cells.push_back(page.substr(open_end, page.find("</td>", open_end) - open_end));
  }
  return cells;
}

TEST(ReportPage, TimetableGivesArrivalStopWithItsUnitAndThePlatformSpan) {
  const Scenario s = test_support::compile(
      line_description_with(
          {"lunghezza percorso,  20000", "progressiva chilometrica uno,  0,  50000,  0",
           "ripetizione segnali 4 codici,    0    ,0"},
          {}),
      train_description({
          "stazione,     0,  7,  300,  1, 0, 0,  1,1,0,  2,1,1,    1,  8, 0, 0, PRIMA",
          "stazione,  6000,  2,  400,  0, 0, 0,  3,1,0,  2,1,1,   60,  8,15,30, SECONDA",
          "stazione, 12000, 26,  200,  0, 0, 0,  3,1,0,  2,1,1,    0,  0, 0, 0, TERZA",
      }));
  ASSERT_FALSE(s.errors.failed()) << s.errors.explanation;
  const std::string page = report_page(s);
  // #, station, kind, position, platform, arrival, stop, departure.
  using Row = std::vector<std::string>;
  // The first platform begins before the progressive does: its span has no kilometres.
  EXPECT_EQ(row_of(page, "PRIMA"), (Row{"1", "PRIMA", "platform both ways", "0 m (km 50+000)",
                                        "-300 m \u2013 300 m", "", "1 s", "08:00:00"}));
  EXPECT_EQ(row_of(page, "SECONDA"), (Row{"2", "SECONDA", "2", "6,000 m (km 56+000)",
                                          "5,800 m \u2013 6,200 m (km 55+800 \u2013 km 56+200)",
                                          "08:14:30", "60 s", "08:15:30"}));
  EXPECT_EQ(row_of(page, "TERZA"),
            (Row{"3", "TERZA", "unmarked", "12,000 m (km 62+000)",
                 "11,900 m \u2013 12,100 m (km 61+900 \u2013 km 62+100)", "", "passes", ""}));
  // The kinds named in words are explained below the table.
  for (const char* words : {"<dt>platform both ways</dt>", "<dt>unmarked</dt>"}) {
    EXPECT_NE(page.find(words), std::string::npos) << words;
  }
}

TEST(ReportPage, WarningsAreListedAndMarkedOnPlanAndProfile) {
  FindingList findings(false);
  const Scenario s = compile_heard(line_description({"pendenza,  0,  0", "pendenza,  3000,  70"}),
                                   train_description({}), findings);
  ASSERT_FALSE(s.errors.failed()) << s.errors.explanation;
  ASSERT_GE(findings.warnings(), 1);
  const std::string page = report_page(s, findings);
  // Warnings of rows the train lacks name no place; the steep gradient does.
  const auto placed = std::count_if(findings.findings().begin(), findings.findings().end(),
                                    [](const Finding& f) { return f.position.has_value(); });
  ASSERT_GE(placed, 1);
  const std::string list = page.substr(page.find("<ol id=\"findings\">"));
  EXPECT_NE(list.find("<li data-severity=\"warning\" data-position=\"3000\">"), std::string::npos);
  EXPECT_NE(list.find("70"), std::string::npos);
  for (const char* svg : {"<svg id=\"plan\"", "<svg id=\"profile\""}) {
    EXPECT_EQ(count(svg_of(page, svg), "class=\"finding warning-finding\""),
              static_cast<std::size_t>(placed))
        << svg;
  }
}

TEST(ReportPage, EveryErrorOfAFailedCompileIsListedTheReportedOneMarked) {
  const std::string line =
      line_description({"cartello_indicatore,  1000,   (A)", "cartello_indicatore,  1010,   (B)",
                        "cartello_indicatore,  3000,   (C)", "cartello_indicatore,  3010,   (D)"});
  FindingList checked(true);
  const Scenario s = test_support::compile(line, train_description({}));
  checked.expect_reported(s.errors);
  compile_heard(line, train_description({}), checked);
  checked.finish();
  ASSERT_EQ(checked.errors(), 2);
  const std::string page = report_page(s, checked);
  EXPECT_EQ(count(page, "<li data-severity=\"error\""), 2u);
  EXPECT_EQ(count(page, "<li data-severity=\"error\" class=\"reported\""), 1u);
  for (const char* position : {"data-position=\"1010\"", "data-position=\"3010\""}) {
    EXPECT_NE(svg_of(page, "<svg id=\"profile\"").find(position), std::string::npos) << position;
  }
}

TEST(ReportPage, ListsAndMarksTheFirstThousandFindingsAndCountsTheRest) {
  const Scenario s = test_support::compile(line_description({}), train_description({}));
  ASSERT_FALSE(s.errors.failed()) << s.errors.explanation;
  FindingList findings(false, report_retention());
  for (int line = 1; line <= 1003; ++line) {
    findings.warning({{"linea.txt", line, 0, 0, {}}, 100, "warning " + std::to_string(line), {}});
  }
  const std::string page = report_page(s, findings);
  EXPECT_EQ(count(page, "<li data-severity=\"warning\""), 1000u);
  EXPECT_NE(page.find("0 errors, 1003 warnings;"), std::string::npos);
  EXPECT_NE(page.find("And 3 more findings (0 errors, 3 warnings) not listed or marked: "
                      "tracciato check lists every one."),
            std::string::npos);
}

// The spans of the printed pages in the order written: data-from and data-to of each.
std::vector<std::pair<long, long>> print_pages(const std::string& page) {
  std::vector<std::pair<long, long>> spans;
  const std::string start = R"(<section class="print-page" data-from=")";
  for (std::size_t at = page.find(start); at != std::string::npos; at = page.find(start, at + 1)) {
    const std::size_t from = at + start.size();
    const std::size_t to = page.find("data-to=\"", from) + 9;
    spans.emplace_back(std::stol(page.substr(from)), std::stol(page.substr(to)));
  }
  return spans;
}

TEST(ReportPage, PrintedPagesCoverTheWholeProfileEachWithAHeader) {
  const Scenario s = test_support::compile(line_description({}, 25300), train_description({}));
  ASSERT_FALSE(s.errors.failed()) << s.errors.explanation;
  const std::string page = report_page(s);
  const auto spans = print_pages(page);
  ASSERT_FALSE(spans.empty());
  EXPECT_EQ(spans.front().first, 0);
  for (std::size_t i = 1; i < spans.size(); ++i)
    EXPECT_EQ(spans[i].first, spans[i - 1].second) << i;
  EXPECT_EQ(spans.back().second, 25300);
  EXPECT_EQ(count(page, "<div class=\"print-header\">Prova, train 1 \u00b7 km "), spans.size());
  EXPECT_NE(page.find("data-to=\"25300\" data-end=\"25300\""), std::string::npos);
  EXPECT_NE(page.find("@page { size: A4 landscape;"), std::string::npos);
}

}  // namespace
}  // namespace tracciato
