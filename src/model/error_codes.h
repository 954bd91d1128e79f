#pragma once

#include <cstdint>
#include <span>

namespace tracciato {

// Every code a compile can end with. The numbers are the system's own: authors look
// them up, and the default run shows them as " Errore n. CODE".
namespace error_code {
inline constexpr std::int32_t kRouteTooLong = 1;
inline constexpr std::int32_t kProgressiveOffGrid = 2;
inline constexpr std::int32_t kRepetitionFirstOffGrid = 3;
inline constexpr std::int32_t kRepetitionSecondOffGrid = 4;
inline constexpr std::int32_t kRepetitionCodeCount = 5;
inline constexpr std::int32_t kSignboardCellTaken = 6;
inline constexpr std::int32_t kAbbattimentoCellTaken = 7;
inline constexpr std::int32_t kStationOffGrid = 8;
inline constexpr std::int32_t kPlatformLength = 9;
inline constexpr std::int32_t kTooManyStations = 10;
inline constexpr std::int32_t kMarkerBeforeSignal = 11;
inline constexpr std::int32_t kMarkerBeforeSlowdown = 12;
inline constexpr std::int32_t kMarkerRepeat = 13;
inline constexpr std::int32_t kBeyondRoute = 15;
inline constexpr std::int32_t kSignalCellTaken = 16;
inline constexpr std::int32_t kWarningCellTaken = 17;
inline constexpr std::int32_t kSlowdownStartTaken = 18;
inline constexpr std::int32_t kSlowdownEndTaken = 19;
inline constexpr std::int32_t kAdvanceCellTaken = 20;
inline constexpr std::int32_t kBoardCellTaken = 21;
inline constexpr std::int32_t kStationsTooClose = 22;
inline constexpr std::int32_t kStationTooEarly = 24;
inline constexpr std::int32_t kUnexpectedFailure = 25;
inline constexpr std::int32_t kNoLineDescription = 101;
inline constexpr std::int32_t kNoGeneralSection = 102;
inline constexpr std::int32_t kCurveClass = 103;
inline constexpr std::int32_t kFormatStampTaken = 1250;
inline constexpr std::int32_t kCompetitionCodeTaken = 1251;
}  // namespace error_code

// A code with what it means: a few words for diagnostics, and for `explain` the rule,
// the fix and a row that raises it.
struct ErrorCodeInfo {
  std::int32_t code;
  const char* summary;
  const char* rule;
  const char* fix;
  const char* example;
};

// Every code, in increasing order.
std::span<const ErrorCodeInfo> error_codes();
// What a code means; nullptr for a number that is no code.
const char* error_summary(std::int32_t code);
const ErrorCodeInfo* error_code_info(std::int32_t code);

}  // namespace tracciato
