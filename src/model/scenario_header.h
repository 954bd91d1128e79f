#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace tracciato {

struct HeaderRecord {
  std::uint8_t record_kind = 0;
  std::int32_t record_start = 0;
  std::int32_t record_end = 0;
  std::int32_t record_position = 0;
  std::uint8_t record_flag = 0;
  std::string record_text;  // Windows-1252 bytes
  std::int16_t record_word_1 = 0;
  std::int16_t record_word_2 = 0;
  std::int16_t record_word_3 = 0;
  std::int16_t record_word_4 = 0;
  std::int16_t record_word_5 = 0;
  std::uint8_t record_byte_1 = 0;
  std::uint8_t record_byte_2 = 0;
  std::uint8_t record_byte_3 = 0;
  std::uint8_t record_byte_4 = 0;
  std::int32_t record_time = 0;

  bool operator==(const HeaderRecord&) const = default;
};

namespace header_index {
// Stations fill the records upward from 1, signboard texts downward from 80; the two
// records next above the stations always stay free.
inline constexpr int kFirstStation = 1;
inline constexpr int kFirstSignboard = 80;
inline constexpr int kFreeAboveStations = 2;
// The kilometric progressives as their rows "tre", "due", "uno" give them; once ordered,
// the one that starts furthest along the route comes first.
inline constexpr int kProgressiveTre = 81;
inline constexpr int kProgressiveDue = 82;
inline constexpr int kProgressiveUno = 83;
inline constexpr std::array<int, 3> kProgressives = {kProgressiveTre, kProgressiveDue,
                                                     kProgressiveUno};
inline constexpr int kTrainValues = 84;
inline constexpr int kIdentity = 85;
inline constexpr int kSignalling = 86;
}  // namespace header_index

// A record's text is written after its byte length in 16 bits.
inline constexpr std::size_t kLongestRecordText = 65535;

// The 87 fixed records, index 0 to 86; access outside them is an unexpected failure.
class ScenarioHeader {
 public:
  static constexpr int kRecords = 87;
  void clear();
  HeaderRecord& at(std::int64_t i);
  const HeaderRecord& at(std::int64_t i) const;
  const std::array<HeaderRecord, kRecords>& records() const { return records_; }

 private:
  std::array<HeaderRecord, kRecords> records_{};
};

}  // namespace tracciato
