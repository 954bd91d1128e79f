#include "cli/diagnostic.h"

#include <gtest/gtest.h>

namespace tracciato {
namespace {

TEST(Diagnostic, MessageTextIsFixed) {
  EXPECT_EQ(error_message(1250), " Errore n. 1250");
}

Diagnostic at_field(std::string source, int column, int end_column) {
  Diagnostic d;
  d.code = 9;
  d.where = {"F_1-.txt", 3, column, end_column, std::move(source)};
  d.message = "the platform length is not a multiple of 100 m";
  return d;
}

TEST(Diagnostic, ShowsTheSourceLineWithACaretUnderTheField) {
  EXPECT_EQ(render_diagnostic(at_field("stazione,  1000,  2,  250, 0", 23, 26)),
            "F_1-.txt:3:23: error 9: the platform length is not a multiple of 100 m\n"
            "    3 | stazione,  1000,  2,  250, 0\n"
            "      |                       ^~~\n");
}

TEST(Diagnostic, CountsColumnsInBytesButPlacesTheCaretAsTheTerminalShowsTheLine) {
  // A tab before the field widens to the next tab stop; a Windows-1252 letter is one
  // column though two bytes in UTF-8.
  EXPECT_EQ(render_diagnostic(at_field("stazione,\t250", 11, 14)),
            "F_1-.txt:3:11: error 9: the platform length is not a multiple of 100 m\n"
            "    3 | stazione,       250\n"
            "      |                 ^~~\n");
  EXPECT_EQ(render_diagnostic(at_field("CITT\xC0, 250", 8, 11)),
            "F_1-.txt:3:8: error 9: the platform length is not a multiple of 100 m\n"
            "    3 | CITT\xC3\x80, 250\n"
            "      |        ^~~\n");
}

TEST(Diagnostic, ShowsNotesAtTheirOwnPlaceAndTheHint) {
  Diagnostic d = at_field("stazione,  1000", 12, 16);
  d.notes.push_back({{}, "the two share track cell 21"});
  d.notes.push_back({{"F_1-.txt", 2, 0, 0, "velocita, 0, 30"}, "the row begins here"});
  d.hint = "write 200 or 300";
  EXPECT_EQ(render_diagnostic(d),
            "F_1-.txt:3:12: error 9: the platform length is not a multiple of 100 m\n"
            "    3 | stazione,  1000\n"
            "      |            ^~~~\n"
            "note: the two share track cell 21\n"
            "F_1-.txt:2: note: the row begins here\n"
            "    2 | velocita, 0, 30\n"
            "      | ^~~~~~~~~~~~~~~\n"
            "help: write 200 or 300\n");
}

TEST(Diagnostic, NamesTheFileAloneOrTheProgramWhereNoRowIsConcerned) {
  ErrorState whole_file;
  whole_file.record(2, "progressives out of order", {"linea.txt", 0, 0, 0, {}});
  EXPECT_EQ(render_diagnostic(diagnostic_of(whole_file)),
            "linea.txt: error 2: progressives out of order\n");
  ErrorState compiler;
  compiler.record(12, "no room for the marks");
  EXPECT_EQ(format_diagnostic(compiler),
            "tracciato: error 12: no room for the marks\n"
            "note: `tracciato explain 12` tells what the code means and how to fix it\n");
}

TEST(Diagnostic, ShowsAWindowOfAVeryLongLine) {
  const std::string line = std::string(300, 'x') + ", 250" + std::string(300, 'y');
  const std::string text = render_diagnostic(at_field(line, 303, 306));
  EXPECT_NE(text.find("| ..." + std::string(58, 'x') + ", 250" + std::string(97, 'y') + "...\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("| " + std::string(63, ' ') + "^~~\n"), std::string::npos) << text;
}

// A finding keeps a window of a line of megabytes; it shows as the whole line would.
TEST(Diagnostic, ShowsAKeptWindowOfALineAsTheWholeLine) {
  const std::string line = std::string(5000, 'x') + ", 250" + std::string(5000, 'y');
  Diagnostic whole = at_field(line, 5003, 5006);
  Diagnostic kept = whole;
  kept.where = located("F_1-.txt", 3, 5003, 5006, line);
  EXPECT_LT(kept.where.source.size(), 2000U);
  EXPECT_EQ(render_diagnostic(kept), render_diagnostic(whole));
}

}  // namespace
}  // namespace tracciato
