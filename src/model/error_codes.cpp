#include "model/error_codes.h"

#include <algorithm>
#include <array>

namespace tracciato {

namespace {

using namespace error_code;

constexpr std::array kCodes = {
    ErrorCodeInfo{kRouteTooLong, "the route length is greater than 1000000 m"},
    ErrorCodeInfo{kProgressiveOffGrid, "a kilometric progressive starts or ends off the 50 m grid"},
    ErrorCodeInfo{kRepetitionFirstOffGrid,
                  "the first signal repetition distance is not a multiple of 50"},
    ErrorCodeInfo{kRepetitionSecondOffGrid,
                  "the second signal repetition distance is not a multiple of 50"},
    ErrorCodeInfo{kRepetitionCodeCount, "the signal repetition row names neither 4 nor 9 codes"},
    ErrorCodeInfo{kSignboardCellTaken, "a signboard falls on a cell that is taken"},
    ErrorCodeInfo{kAbbattimentoCellTaken, "an \"abbattimento\" row falls on a cell that is taken"},
    ErrorCodeInfo{kStationOffGrid, "a station position is not a multiple of 50"},
    ErrorCodeInfo{kPlatformLength, "a platform length is not a multiple of 100"},
    ErrorCodeInfo{kTooManyStations,
                  "stations and signboards together need more than 78 header records"},
    ErrorCodeInfo{kMarkerBeforeSignal, "no free cell for the code marker in front of a signal"},
    ErrorCodeInfo{kMarkerBeforeSlowdown, "no free cell for a code marker before a slowdown"},
    ErrorCodeInfo{kMarkerRepeat, "no free cell for a repeated or closing code marker"},
    ErrorCodeInfo{kBeyondRoute, "a row lies beyond the end of the route"},
    ErrorCodeInfo{kSignalCellTaken, "a signal falls on a cell that is taken"},
    ErrorCodeInfo{kWarningCellTaken, "a slowdown's warning cell is taken"},
    ErrorCodeInfo{kSlowdownStartTaken, "a slowdown's start cell is taken"},
    ErrorCodeInfo{kSlowdownEndTaken, "a slowdown's end cell is taken"},
    ErrorCodeInfo{kAdvanceCellTaken, "one of a slowdown's advance cells is taken"},
    ErrorCodeInfo{kBoardCellTaken, "a speed board falls on a cell that is taken"},
    ErrorCodeInfo{kStationsTooClose,
                  "a platform starts less than 350 m after the previous platform's end"},
    ErrorCodeInfo{kStationTooEarly, "a station's platform ends within the first 100 m"},
    ErrorCodeInfo{kUnexpectedFailure, "the descriptions could not be compiled as they stand"},
    ErrorCodeInfo{kNoLineDescription, "the line description does not exist"},
    ErrorCodeInfo{kNoGeneralSection, "the line description has no \"[generale]\" section"},
    ErrorCodeInfo{kCurveClass, "a curve row names no class from 1 to 6, or the plan is too long"},
    ErrorCodeInfo{kFormatStampTaken, "an object in track cell 1 takes the format stamp's slot"},
    ErrorCodeInfo{kCompetitionCodeTaken,
                  "an object in track cell 1 takes the competition code's slot"},
};

}  // namespace

std::span<const ErrorCodeInfo> error_codes() {
  return kCodes;
}

const char* error_summary(std::int32_t code) {
  const auto* const found = std::ranges::find(kCodes, code, &ErrorCodeInfo::code);
  return found == kCodes.end() ? nullptr : found->summary;
}

}  // namespace tracciato
