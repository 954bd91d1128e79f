#include "model/error_codes.h"

#include <algorithm>
#include <array>

namespace tracciato {

namespace {

using namespace error_code;

constexpr std::array kCodes = {
    ErrorCodeInfo{kRouteTooLong, "the route length is greater than 1000000 m",
                  "The route length row of the line's general section sizes the track: it may be "
                  "at most 1000000 m.",
                  "Shorten the route, or split the line into two scenarios.",
                  "lunghezza percorso,  1000001"},
    ErrorCodeInfo{kProgressiveOffGrid, "a kilometric progressive starts or ends off the 50 m grid",
                  "A kilometric progressive's start and kilometric value must both be multiples of "
                  "50; the check runs after the train description is read.",
                  "Round the progressive's start and kilometric value to a multiple of 50.",
                  "progressiva chilometrica uno,  0,  10025,  0"},
    ErrorCodeInfo{
        kRepetitionFirstOffGrid, "the first signal repetition distance is not a multiple of 50",
        "The two distances of the signal repetition row are in metres and must be multiples of 50.",
        "Round the first distance to a multiple of 50.", "ripetizione segnali 4 codici,  1025,  0"},
    ErrorCodeInfo{
        kRepetitionSecondOffGrid, "the second signal repetition distance is not a multiple of 50",
        "The two distances of the signal repetition row are in metres and must be multiples of 50.",
        "Round the second distance to a multiple of 50.",
        "ripetizione segnali 4 codici,  1000,  30"},
    ErrorCodeInfo{
        kRepetitionCodeCount, "the signal repetition row names neither 4 nor 9 codes",
        "The keyword of the signal repetition row must contain 4 or 9: the number of signal codes.",
        R"(Write "ripetizione segnali 4 codici" or "ripetizione segnali 9 codici".)",
        "ripetizione segnali 7 codici,  0,  0"},
    ErrorCodeInfo{kSignboardCellTaken, "a signboard falls on a cell that is taken",
                  "A signboard takes the 50 m cell of its position (position / 50 + 1); another "
                  "object (a board, a signal, another signboard) is already there.",
                  "Move one of the two objects to another 50 m cell.",
                  "cartello_indicatore,  850,  (F)   after another signboard at 850"},
    ErrorCodeInfo{
        kAbbattimentoCellTaken, "an \"abbattimento\" row falls on a cell that is taken",
        "An \"abbattimento\" row takes the cell position / 50, which already holds an object.",
        "Move the row, or the object already in that cell, by 50 m.",
        "abbattimento,  4000,  1   on the cell of a signal"},
    ErrorCodeInfo{kStationOffGrid, "a station position is not a multiple of 50",
                  "A station's position must be a multiple of 50 m.",
                  "Round the station position to a multiple of 50.",
                  "stazione,  1025,  2,  200,  ..."},
    ErrorCodeInfo{
        kPlatformLength, "a platform length is not a multiple of 100",
        "The platform length, the third field of a station row, must be a multiple of 100 m.",
        "Round the platform length to a multiple of 100.", "stazione,  1000,  2,  250,  ..."},
    ErrorCodeInfo{kTooManyStations,
                  "stations and signboards together need more than 78 header records",
                  "Stations fill the header records from 1 upward and signboard texts from 80 "
                  "downward; together they have 78 records.",
                  "Drop signboards or stations, or split the route into two scenarios.",
                  "a line with 78 signboards and a train with one station"},
    ErrorCodeInfo{kMarkerBeforeSignal, "no free cell for the code marker in front of a signal",
                  "The signal code pass marks the cell in front of a signal near a slowdown; both "
                  "cells before the signal are taken.",
                  "Move the signal, or the objects just before it, by 50 m.",
                  "a signal whose two cells before it hold a board and a signboard"},
    ErrorCodeInfo{kMarkerBeforeSlowdown, "no free cell for a code marker before a slowdown",
                  "Code markers go in bands of three cells 250 m, 550 m and 900 m before a "
                  "slowdown's start; every cell of one band is taken.",
                  "Move the slowdown, or the boards and signals in that band, by 50 m.",
                  "indicatori_vmax rows at 3650, 3700 and 3750 before a slowdown at 4000"},
    ErrorCodeInfo{kMarkerRepeat, "no free cell for a repeated or closing code marker",
                  "Inside a slowdown the marker repeats every eighth cell, and after its end the "
                  "first signal gets one; the cell and its two neighbours are taken.",
                  "Move the objects that crowd the slowdown by 50 m.",
                  "a signal inside a slowdown where its repeat marker goes"},
    ErrorCodeInfo{
        kBeyondRoute, "a row lies beyond the end of the route",
        "Every object must lie within the track: its position plus 100 m (plus 800 m for a "
        "station), divided by 50, may not pass the last cell, 7000 m past the route length.",
        "Check the position against the route length; a digit too many is the usual cause.",
        "pendenza,  999999,  2"},
    ErrorCodeInfo{kSignalCellTaken, "a signal falls on a cell that is taken",
                  "A signal takes the cell position / 50 + 1; another object is already there.",
                  "Move the signal or the other object by 50 m.",
                  "segnale,  1950,  1, 4, 1,  0, 0,  0,  0,0,0, 0   twice"},
    ErrorCodeInfo{kWarningCellTaken, "a slowdown's warning cell is taken",
                  "A slowdown starting beyond 1500 m puts its warning cell 1200 m before its "
                  "start; that cell is taken.",
                  "Move the slowdown, or the object 1200 m before it, by 50 m.",
                  "rallentamento,  4000,  50,  200, 1,  0,  0   with a board at 2800"},
    ErrorCodeInfo{kSlowdownStartTaken, "a slowdown's start cell is taken",
                  "A slowdown takes the cell of its start; another object is already there.",
                  "Move the slowdown or the object by 50 m.",
                  "rallentamento,  4000,  50,  200, 1,  0,  0   with a signal at 4000"},
    ErrorCodeInfo{kSlowdownEndTaken, "a slowdown's end cell is taken",
                  "A slowdown takes the cell of its end (start plus length); another object is "
                  "already there.",
                  "Change the slowdown's length, or move the object by 50 m.",
                  "rallentamento,  4000,  50,  200, 1,  0,  0   with a signal at 4200"},
    ErrorCodeInfo{kAdvanceCellTaken, "one of a slowdown's advance cells is taken",
                  "A slowdown that asks for advance cells takes the four cells just before its "
                  "warning cell; one is taken.",
                  "Move the slowdown, or the object before its warning cell, by 50 m.",
                  "rallentamento,  4000,  50,  200, 1,  1,  0"},
    ErrorCodeInfo{kBoardCellTaken, "a speed board falls on a cell that is taken",
                  "A speed board (indicatori_vmax) takes the cell position / 50 + 1; another "
                  "object is already there.",
                  "Move the board or the other object by 50 m.",
                  "indicatori_vmax,  900,  60,  80,  80,  0,  ,  ,  ,  0   on a signboard"},
    ErrorCodeInfo{
        kStationsTooClose, "a platform starts less than 350 m after the previous platform's end",
        "Consecutive stations need 350 m between one platform's end and the next one's start.",
        "Move the later station on, or shorten a platform.",
        "stazione rows at 1000 and 1400 with 200 m platforms"},
    ErrorCodeInfo{kStationTooEarly, "a station's platform ends within the first 100 m",
                  "A station of kind below 25 needs room for its approach marks: its platform must "
                  "end past 100 m.",
                  "Move the station further along the route.", "stazione,  0,  2,  200,  ..."},
    ErrorCodeInfo{kUnexpectedFailure, "the descriptions could not be compiled as they stand",
                  "Something the compile cannot read or hold: a field that is not a whole number, "
                  "a description that ends in the middle of a row, a value too large for its "
                  "field, a station name or signboard text longer than the 65,535 bytes a "
                  "header record holds, a missing train description.",
                  "Read the diagnostic's explanation and fix the field it names.",
                  "pendenza,  4x0,  2"},
    ErrorCodeInfo{kNoLineDescription, "the line description does not exist",
                  "The line description named on the command line, or the one the default run "
                  "writes beside itself, is not there.",
                  "Check the path, or that the default run may write beside the program.",
                  "tracciato compile absent_linea.txt Prova_1-.txt"},
    ErrorCodeInfo{kNoGeneralSection, "the line description has no \"[generale]\" section",
                  "A line description starts with a \"[generale]\" row, then the route length and "
                  "the other general rows.",
                  "Add the \"[generale]\" row at the top of the line description.",
                  "lunghezza percorso,  1000   without [generale] before it"},
    ErrorCodeInfo{kCurveClass, "a curve row names no class from 1 to 6, or the plan is too long",
                  "A curve keyword carries its class as a digit 1 to 6 (curvad1 .. curvas6); the "
                  "plan geometry also ends at 1000000 points.",
                  "Write the class digit into the curve keyword.", "curvad,  2000,  500"},
    ErrorCodeInfo{
        kFormatStampTaken, "an object in track cell 1 takes the format stamp's slot",
        "Track cell 1 (0 to 24 m) holds the format stamp; an object placed there takes its slot.",
        "Move the object at 0 to 24 m to 50 m or later.",
        "rallentamento,  0,  50,  200, 1,  0,  0"},
    ErrorCodeInfo{kCompetitionCodeTaken,
                  "an object in track cell 1 takes the competition code's slot",
                  "Track cell 1 (0 to 24 m) holds the competition code; an object placed there "
                  "takes its slot.",
                  "Move the object at 0 to 24 m to 50 m or later.",
                  "an object at 0 m that writes the cell's second value"},
};

}  // namespace

std::span<const ErrorCodeInfo> error_codes() {
  return kCodes;
}

const ErrorCodeInfo* error_code_info(std::int32_t code) {
  const auto* const found = std::ranges::find(kCodes, code, &ErrorCodeInfo::code);
  return found == kCodes.end() ? nullptr : found;
}

const char* error_summary(std::int32_t code) {
  const ErrorCodeInfo* info = error_code_info(code);
  return info == nullptr ? nullptr : info->summary;
}

}  // namespace tracciato
