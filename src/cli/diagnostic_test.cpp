#include "cli/diagnostic.h"

#include <gtest/gtest.h>

namespace tracciato {
namespace {

TEST(Diagnostic, MessageTextIsFixed) {
  EXPECT_EQ(error_message(1250), " Errore n. 1250");
}

TEST(Diagnostic, NamesTheRowAndShowsThePositionAndTheNote) {
  ErrorState e;
  e.record_at(15, 1000, "the gradient row lies beyond the end", {"linea.txt", 5});
  e.note = "the compile stopped at treno.txt:2";
  EXPECT_EQ(format_diagnostic(e),
            "linea.txt:5: error 15: the gradient row lies beyond the end [position 1000 m]\n"
            "linea.txt:5: note: the compile stopped at treno.txt:2");
}

TEST(Diagnostic, NamesTheFileAloneOrTheProgram) {
  ErrorState whole_file;
  whole_file.record(2, "progressives out of order", {"linea.txt", 0});
  EXPECT_EQ(format_diagnostic(whole_file), "linea.txt: error 2: progressives out of order");
  ErrorState compiler;
  compiler.record(12, "no room for the marks");
  EXPECT_EQ(format_diagnostic(compiler), "tracciato: error 12: no room for the marks");
}

}  // namespace
}  // namespace tracciato
