#include "commands/lsp/text_document.h"

#include <gtest/gtest.h>

namespace tracciato::lsp {
namespace {

// "CITTÀ" has a two-byte character; U+1F682 (a locomotive) takes four bytes in UTF-8 and
// two UTF-16 units.
const std::string kLocomotive = "\xF0\x9F\x9A\x82";

struct EditCase {
  const char* name;
  std::string text;
  Range range;
  std::string with;
  std::string result;
};

class Edits : public ::testing::TestWithParam<EditCase> {};

TEST_P(Edits, ReplaceTheRangeCountedInUtf16Units) {
  TextDocument d(GetParam().text);
  d.replace(GetParam().range, GetParam().with);
  EXPECT_EQ(d.text(), GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(
    Changes, Edits,
    ::testing::Values(
        EditCase{"InsertAtTheStart", "ab\r\ncd\r\n", {{1, 0}, {1, 0}}, "x", "ab\r\nxcd\r\n"},
        EditCase{"AfterATwoByteCharacter",
                 "CITT\xC3\x80, 1\n",
                 {{0, 5}, {0, 6}},
                 ";",
                 "CITT\xC3\x80; 1\n"},
        EditCase{"AfterACharacterOfTwoUnits",
                 kLocomotive + "ab\n",
                 {{0, 2}, {0, 3}},
                 "X",
                 kLocomotive + "Xb\n"},
        EditCase{"AcrossLines", "one\ntwo\nthree\n", {{0, 1}, {2, 2}}, "", "oree\n"},
        EditCase{"PastTheLineEndClampsToIt", "ab\r\ncd", {{0, 9}, {0, 12}}, "!", "ab!\r\ncd"},
        EditCase{"PastTheTextEndAppends", "ab", {{5, 0}, {6, 0}}, "\nc", "ab\nc"},
        EditCase{"AfterALoneCarriageReturn", "ab\rcd\r", {{1, 1}, {1, 1}}, "x", "ab\rcxd\r"},
        EditCase{"MixedLineEnds", "a\r\nb\rc\nd", {{3, 0}, {3, 1}}, "D", "a\r\nb\rc\nD"},
        EditCase{"PastALoneCarriageReturnLinesEnd", "ab\rcd", {{0, 5}, {0, 5}}, "!", "ab!\rcd"},
        EditCase{"EndBeforeStartInsertsAtStart", "abc", {{0, 2}, {0, 1}}, "-", "ab-c"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Lines, EndAtCrLfAtLfAndAtALoneCr) {
  EXPECT_EQ(line_starts("a\r\nbb\ncc\rd\r\r\n"), (std::vector<std::size_t>{0, 3, 6, 9, 11, 13}));
  const TextDocument d("one\rtwo\r\nthree");
  EXPECT_EQ(d.line(1), "two");
  EXPECT_EQ(d.line(2), "three");
  EXPECT_EQ(d.line(3), std::nullopt);
}

TEST(Lines, AreIndexedAfreshAfterEachChange) {
  TextDocument d("a\rb\rc");
  EXPECT_EQ(d.line(2), "c");
  d.replace({{0, 1}, {0, 1}}, "\n\n");
  EXPECT_EQ(d.line(4), "c");
  d.replace_all("only");
  EXPECT_EQ(d.line(0), "only");
  EXPECT_EQ(d.line(1), std::nullopt);
}

TEST(Columns, OfAscendingBytesAreCountedInOnePass) {
  const std::string line = "CITT\xC3\x80, " + kLocomotive + ", 5";
  Utf16Cursor cursor(line);
  EXPECT_EQ(cursor.column_of(0), 0);
  EXPECT_EQ(cursor.column_of(6), 5);   // the comma after the À
  EXPECT_EQ(cursor.column_of(12), 9);  // the comma after the locomotive
  EXPECT_EQ(cursor.column_of(line.size()), 12);
}

TEST(Columns, MapStoredBytesToUtf16UnitsAndBack) {
  // Stored: one byte per character; the editor's line is UTF-8.
  const std::string line = "CITT\xC3\x80 " + kLocomotive + ", 5\r\n";
  // Byte column 1-based of the stored line -> UTF-16 character from 0.
  EXPECT_EQ(utf16_column(line, 1), 0);
  EXPECT_EQ(utf16_column(line, 5), 4);    // the À
  EXPECT_EQ(utf16_column(line, 6), 5);    // the space after it
  EXPECT_EQ(utf16_column(line, 8), 8);    // the comma after two units of locomotive
  EXPECT_EQ(utf16_column(line, 11), 11);  // one past the line's end
  for (int column = 1; column <= 11; ++column)
    EXPECT_EQ(stored_column(line, utf16_column(line, column)), column) << column;
}

TEST(Columns, StoredTextIsWindows1252OneBytePerCharacter) {
  const TextDocument d("CITT\xC3\x80 " + kLocomotive + "\r\n");
  EXPECT_EQ(d.stored_text(), "CITT\xC0 ?\r\n");
}

}  // namespace
}  // namespace tracciato::lsp
