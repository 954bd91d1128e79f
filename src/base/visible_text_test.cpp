#include "base/visible_text.h"

#include <gtest/gtest.h>

#include "base/json_string.h"

namespace tracciato {
namespace {

struct Shown {
  const char* name;
  std::string_view in;
  std::string_view out;
};

void PrintTo(const Shown& s, std::ostream* os) {
  *os << s.name;
}

class VisibleCp1252 : public ::testing::TestWithParam<Shown> {};

TEST_P(VisibleCp1252, ShowsControlBytesAsEscapes) {
  EXPECT_EQ(visible_cp1252(GetParam().in), GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, VisibleCp1252,
    ::testing::Values(Shown{"PlainTextIsKept", "lunghezza percorso", "lunghezza percorso"},
                      Shown{"ATabIsKept", "a\tb", "a\tb"},
                      Shown{"ATerminalTitleSequenceIsDefused", "1\x1b]0;PWNED\x07\x1b[2J",
                            "1\\x1b]0;PWNED\\x07\\x1b[2J"},
                      Shown{"DeleteAndNulAreEscaped", std::string_view("a\x7f\0b", 4),
                            "a\\x7f\\x00b"},
                      Shown{"AccentedLettersBecomeUtf8", "CITT\xC0", "CITT\xC3\x80"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(VisibleUtf8, EscapesBytesThatAreNotUtf8AndKeepsThoseThatAre) {
  EXPECT_EQ(visible_utf8("A\xff\xfe_linea.txt"), "A\\xff\\xfe_linea.txt");
  EXPECT_EQ(visible_utf8("CITT\xC3\x80\x1b"), "CITT\xC3\x80\\x1b");
  EXPECT_EQ(visible_utf8("\xED\xA0\x80"), "\\xed\\xa0\\x80");  // a surrogate
  EXPECT_EQ(visible_utf8("\xE2\x82"), "\\xe2\\x82");           // cut short
}

TEST(JsonString, IsAlwaysUtf8WithControlsEscaped) {
  EXPECT_EQ(json_string("A\xff\xfe_linea.txt"), "\"A\xEF\xBF\xBD\xEF\xBF\xBD_linea.txt\"");
  EXPECT_EQ(json_string("CITT\xC3\x80"), "\"CITT\xC3\x80\"");
  EXPECT_EQ(json_string("\x1b[2J\"\\"), "\"\\u001B[2J\\\"\\\\\"");
}

}  // namespace
}  // namespace tracciato
