// The mistakes an author makes editing the embedded pair by hand, each told at the row that
// holds it: the finding's line is the edited row's, and its words say what happened.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "cli/findings.h"
#include "compile/embedded_descriptions.h"
#include "compile/pipeline.h"

namespace tracciato {
namespace {

enum class File { kLine, kTrain };
enum class Severity { kError, kWarning };

struct Mistake {
  const char* name;
  File file;
  const char* row;     // a piece of the embedded row the author edits, unique in its file
  const char* edited;  // the whole row as the author leaves it
  const char* told;    // words the finding at that row holds, in its message or its hint
  Severity severity;
};

void PrintTo(const Mistake& m, std::ostream* os) {
  *os << m.name;
}

// The text with the line holding `row` replaced by `edited`; gives the line's number.
int edit(std::string& text, std::string_view row, std::string_view edited) {
  const std::size_t at = text.find(row);
  EXPECT_NE(at, std::string::npos) << row;
  EXPECT_EQ(text.find(row, at + 1), std::string::npos) << row << " is not unique";
  const std::size_t start = text.rfind('\n', at) + 1;  // npos + 1 is 0: the first line
  const std::size_t end = text.find("\r\n", at);
  text.replace(start, end - start, edited);
  int line = 1;
  for (std::size_t i = 0; i < start; ++i) line += text[i] == '\n';
  return line;
}

// The embedded pair as an author has edited it, and what check tells of it.
class EditedPair {
 public:
  EditedPair()
      : embedded_(embedded_descriptions(embedded_scenario())),
        line_(*embedded_.line.load()),
        train_(*embedded_.train.load()) {}

  // Replaces the row holding `row` in `file`; gives the row's line.
  int edit(File file, std::string_view row, std::string_view edited) {
    return tracciato::edit(file == File::kLine ? line_ : train_, row, edited);
  }
  const std::string& path(File file) const {
    return file == File::kLine ? embedded_.line.path() : embedded_.train.path();
  }
  FindingList check() const {
    MemoryDescription l(path(File::kLine), line_);
    MemoryDescription t(path(File::kTrain), train_);
    return check_descriptions({l, t, embedded_.names, 1});
  }

 private:
  EmbeddedDescriptions embedded_;
  std::string line_;
  std::string train_;
};

class AuthorMistakes : public ::testing::TestWithParam<Mistake> {};

TEST_P(AuthorMistakes, AreToldAtTheRowThatHoldsThem) {
  const Mistake& m = GetParam();
  EditedPair pair;
  const int at = pair.edit(m.file, m.row, m.edited);
  const FindingList list = pair.check();
  bool found = false;
  std::string all;
  for (const Finding& f : list.findings()) {
    all += f.where.path + ":" + std::to_string(f.where.line) + ": " + f.message + " | " + f.hint +
           "\n";
    const bool here = f.where.path == pair.path(m.file) && f.where.line == at;
    std::string said = f.message + " " + f.hint;
    for (const Note& note : f.notes) said += " " + note.text;
    const bool words = said.find(m.told) != std::string::npos;
    if (here && words && f.error == (m.severity == Severity::kError)) found = true;
  }
  EXPECT_TRUE(found) << "expected at line " << at << ": " << m.told << "\ngot:\n" << all;
}

// Both ends of a clash: the note stands at the row that wrote the first object.
TEST(AuthorMistakes, ASignalOnASpeedBoardNamesWhereTheBoardWasWritten) {
  EditedPair pair;
  const int board = pair.edit(File::kLine, "indicatori_vmax,  9500,",
                              "indicatori_vmax,  9500,  85,  95,  100,  0,  ,  ,  ,  0");
  pair.edit(File::kTrain, "segnale,    7250,",
            "segnale,    9500,   1, 4, 1,  0, 0,    0,  0,0,0, 0");
  const FindingList list = pair.check();
  bool noted = false;
  for (const Finding& f : list.findings()) {
    for (const Note& note : f.notes) {
      noted = noted || (f.error && note.at.path == pair.path(File::kLine) && note.at.line == board);
    }
  }
  EXPECT_TRUE(noted);
}

using enum File;
using enum Severity;

INSTANTIATE_TEST_SUITE_P(
    EmbeddedPair, AuthorMistakes,
    ::testing::Values(
        Mistake{"SpeedBoardKeywordWithAHyphen", kLine, "indicatori_vmax,  900,",
                "indicatori-vmax,  900,  60,  80,  80,  0,  ,  ,  ,  0", "comment", kWarning},
        Mistake{"SignboardKeywordWithAHyphen", kLine, "cartello_indicatore,  350,",
                "cartello-indicatore,  350,   (Cavalcavia)", "signboard row", kWarning},
        Mistake{"CurveWrittenOutInWords", kLine, "curvad5,  1050,  350",
                "curva destra 5,  1050,  350", "left-hand curve of class 5", kWarning},
        Mistake{"GradientBelowWhatTheCellHolds", kLine, "pendenza,  8250,", "pendenza,  8250, -150",
                "stored as 106 per mille", kWarning},
        Mistake{"StationRowInTheLine", kLine, "cartello_indicatore,  350,",
                "stazione,  350,  2,  200,  0, 0, 0,  1,1,0,  2,1,1,   50,  14,15, 0, PONTE",
                "train description", kWarning},
        Mistake{"CommentMarkOfAnotherFormat", kLine, "montagna,   1100,", "# montagna di prova",
                "\"#\" marks no comment", kWarning},
        Mistake{"SignboardTextWithAComma", kLine, "cartello_indicatore,  350,",
                "cartello_indicatore,  350,   CASTEL, VERSO", "stored as \"CASTEL\"", kWarning},
        Mistake{"SectionHeaderInCapitals", kLine, "[montagne]", "[Montagne]", "[montagne]",
                kWarning},
        Mistake{"AdhesionAboveAByte", kTrain, "aderenza,", "aderenza,   0,    300", "stored as 44",
                kWarning},
        Mistake{"SpeedThatIsNoMultipleOf5", kTrain, "velocita,     900,",
                "velocita,     900,    83", "stored as 85 km/h", kWarning},
        Mistake{"SignalOffTheGrid", kTrain, "segnale,  104300,",
                "segnale,  104320,   1, 4, 1,  0, 0,    1,  3,1,0, 0", "104,300 m", kWarning},
        Mistake{"TimerOnASignalThatIsNotTimed", kTrain, "segnale,  104300,",
                "segnale,  104300,   1, 4, 1,  0, 0,    1,  3,1,0, 30", "stored as 0", kWarning},
        Mistake{"MisspeltGeneralHeaderOfTheTrain", kTrain, "[generale]", "[generali]", "[generale]",
                kWarning},
        Mistake{"MisspeltSectionHeaderOfTheTrain", kTrain, "[segnali]", "[segnale]", "[segnali]",
                kWarning},
        Mistake{"GradientRowInTheTrain", kTrain, "[segnali]", "pendenza,  1000,  5",
                "line description", kWarning},
        Mistake{"KeywordNamingTwoRows", kTrain, "velocita,    9500,",
                "velocita aderenza,    9500,   100", "names both", kWarning},
        Mistake{"StationNameWithAComma", kTrain, "CASTELVERSO",
                "stazione,    3300,  2,  200,  0, 0, 0,  1,1,0,  2,1,1,   50,  14,15, 0, CASTEL, "
                "VERSO",
                "stored as \"CASTEL\"", kWarning},
        Mistake{"SignalPastTheRoutesEnd", kTrain, "segnale,  108550,",
                "segnale,  136500,   1, 4, 1,  0, 0,    0,  0,0,0, 0", "past the route's end",
                kWarning},
        Mistake{"MoreCarsThanAnyTrain", kTrain, "numero vetture", "numero vetture,    400",
                "beyond any real train", kWarning},
        Mistake{"TimetableRunningBackwards", kTrain, "PIEVALBA",
                "stazione,    9200, 12,  500,  0, 0, 1,  3,1,0,  2,1,1,   60,  14,12, 0, PIEVALBA",
                "runs backwards", kWarning},
        Mistake{"ClockPastMidnight", kTrain, "orologio", "orologio,    24  9  45", "not on a clock",
                kWarning},
        // Numbers and rows that the reader takes otherwise than an author means.
        Mistake{"SpeedTheTrackCannotHold", kTrain, "velocita,     900,",
                "velocita,     900,   1300", "1,300 km/h", kError},
        Mistake{"ProgressiveOffTheGrid", kLine, "progressiva chilometrica uno",
                "progressiva chilometrica uno,    0,    137320,    1", "137,320", kError},
        Mistake{"RouteLengthWithAThousandsBlank", kLine, "lunghezza percorso",
                "lunghezza percorso,    136 000", "136", kWarning},
        Mistake{"GradientWithoutItsValue", kLine, "pendenza,  450,", "pendenza,  450",
                "gradient is missing", kError},
        Mistake{"StationWithANumberMissing", kTrain, "CASTELVERSO",
                "stazione,    3300,  2,  200,  0, 0, 0,  1,1,0,  2,1,1,   50,  14,15, CASTELVERSO",
                "missing", kError},
        Mistake{"ClockWrittenAsATimeOfDay", kTrain, "orologio", "orologio,    14:09:45",
                "three fields", kError},
        Mistake{"LetterOForAZero", kTrain, "velocita,     900,", "velocita,     900,    8O",
                "letter O", kError},
        Mistake{"ThousandsSeparatedByADot", kTrain, "velocita,    9500,",
                "velocita,    9.500,   100", "thousands", kError},
        Mistake{"GradientWithADecimalComma", kLine, "pendenza,  450,", "pendenza,  450,   2,5",
                "decimal comma", kWarning},
        Mistake{"SpeedWithABlankInside", kTrain, "velocita,     900,", "velocita,     900,    8 0",
                "read as 8 km/h", kWarning},
        // Two objects in one cell: told at the second, with a note at the first.
        Mistake{"SignalOnASpeedBoard", kTrain, "segnale,    7250,",
                "segnale,    9500,   1, 4, 1,  0, 0,    0,  0,0,0, 0", "already in this cell",
                kError}),
    [](const ::testing::TestParamInfo<Mistake>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tracciato
