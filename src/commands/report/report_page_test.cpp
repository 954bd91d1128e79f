#include "commands/report/report_page.h"

#include <gtest/gtest.h>

#include "testing/descriptions.h"

namespace tracciato {
namespace {

using testing::line_description;
using testing::train_description;

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
  const Scenario s = testing::compile(
      line_description({"cartello_indicatore,  2000,   (Ponte <1> & \"2\")"}),
      train_description({"stazione,  1000,  2,  200,  0, 0, 0,  1,1,0,  2,1,1,   50,  8, 5, 0, "
                         "CITT\xC0 <B&B>"}),
      1, "Prova", "1");
  ASSERT_FALSE(s.errors.failed()) << s.errors.explanation;
  const std::string page = report_page(s);
  EXPECT_NE(page.find(">CITT\u00c0 &lt;B&amp;B&gt;</td>"), std::string::npos);
  EXPECT_NE(page.find("CITT\u00c0 &lt;B&amp;B&gt;, 1000 m</title>"), std::string::npos);
  EXPECT_NE(page.find("signboard (Ponte &lt;1&gt; &amp; &quot;2&quot;), 2000 m"),
            std::string::npos);
  EXPECT_EQ(page.find("<B&B>"), std::string::npos);
}

TEST(ReportPage, ACompileErrorIsExplainedAndMarkedOnPlanAndProfile) {
  const Scenario s =
      testing::compile(line_description({"curvad5,  500,  300", "cartello_indicatore,  4000,   (A)",
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
  const Scenario s = testing::compile(
      testing::line_description_with({"ripetizione segnali 4 codici,    0    ,0"}, {}),
      train_description({}));
  ASSERT_EQ(s.errors.error_code, 25);
  const std::string page = report_page(s);
  EXPECT_NE(page.find(" Errore n. 25"), std::string::npos);
  EXPECT_EQ(page.find("<svg id="), std::string::npos);
  EXPECT_NE(page.find("No plan"), std::string::npos);
  EXPECT_NE(page.find("No profile"), std::string::npos);
}

}  // namespace
}  // namespace tracciato
