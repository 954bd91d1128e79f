#include "commands/report/svg_writer.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace tracciato {
namespace {

TEST(SvgWriter, EscapesTextsAndAttributesAndClosesInOrder) {
  SvgWriter w;
  w.open("svg", {{"id", "a\"b"}});
  w.open("g", {{"data-name", "<B&B's>"}});
  w.leaf("circle", {{"r", "2"}});
  w.element("title", {}, "CITT\u00c0 <B&B>");
  w.close();
  w.close();
  EXPECT_EQ(w.finish(),
            "<svg id=\"a&quot;b\"><g data-name=\"&lt;B&amp;B&#39;s&gt;\"><circle r=\"2\"/>"
            "<title>CITT\u00c0 &lt;B&amp;B&gt;</title></g></svg>");
}

TEST(SvgWriter, RefusesUnbalancedElements) {
  SvgWriter open;
  open.open("svg");
  EXPECT_THROW(open.finish(), std::logic_error);
  SvgWriter closed;
  EXPECT_THROW(closed.close(), std::logic_error);
}

TEST(SvgWriter, NumbersKeepOneDecimalAtMost) {
  const std::vector<std::pair<double, const char*>> cases = {
      {3.0, "3"},  {12.26, "12.3"},  {-1.24, "-1.2"}, {-0.04, "0"},
      {0.04, "0"}, {1e6, "1000000"}, {999.96, "1000"}};
  for (const auto& [value, text] : cases) EXPECT_EQ(number(value), text) << value;
  const std::vector<Point> points = {{1, 2.5}, {-3.24, 0}};
  EXPECT_EQ(points_text(points), "1,2.5 -3.2,0");
}

TEST(SvgWriter, MarkupIsUtf8WithoutControlCharacters) {
  EXPECT_EQ(escape_markup("A\xff\xfe_linea.txt"), "A\xEF\xBF\xBD\xEF\xBF\xBD_linea.txt");
  EXPECT_EQ(escape_markup("CITT\xC3\x80\x1b[2J"), "CITT\xC3\x80\xEF\xBF\xBD[2J");
  EXPECT_EQ(escape_markup("a\tb\nc"), "a\tb\nc");
}

}  // namespace
}  // namespace tracciato
