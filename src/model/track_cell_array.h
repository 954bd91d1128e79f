#pragma once

#include <cstdint>
#include <vector>

namespace tracciato {

struct TrackCell {
  std::uint8_t cell_type = 0;
  std::int16_t cell_value = 0;
  std::int16_t cell_value_2 = 0;
  std::int16_t cell_value_3 = 0;
  std::int16_t cell_value_4 = 0;
  std::uint8_t cell_timer = 0;
  std::uint8_t cell_approach_mark = 0;
  std::uint8_t cell_mountain = 0;
  std::uint8_t cell_speed = 0;
  std::uint8_t cell_gradient = 0;
  std::uint8_t cell_adhesion = 0;
};

namespace cell_type {
inline constexpr std::uint8_t kNothing = 0;
inline constexpr std::uint8_t kSignal = 1;
inline constexpr std::uint8_t kSlowdownEnd = 2;
inline constexpr std::uint8_t kSlowdownStart = 3;
inline constexpr std::uint8_t kSlowdownWarning = 4;
inline constexpr std::uint8_t kSlowdownAdvance = 5;
inline constexpr std::uint8_t kSpeedBoard = 6;
inline constexpr std::uint8_t kStationMarker = 10;
inline constexpr std::uint8_t kMountainMarker = 11;
inline constexpr std::uint8_t kCodeMarker = 12;
inline constexpr std::uint8_t kCodeEndMarker = 13;
inline constexpr std::uint8_t kSignboard = 14;
}  // namespace cell_type

// Cells 0 to P, one per 50 m. Every access is checked: an index outside the array is
// an unexpected failure, never a stray write.
class TrackCellArray {
 public:
  // Creates cells 0 to last_index, all fields 0, discarding earlier contents.
  void allocate(std::int64_t last_index);
  bool allocated() const { return !cells_.empty(); }
  // P, the upper bound.
  std::int32_t last_index() const;
  bool contains(std::int64_t i) const {
    return i >= 0 && i < static_cast<std::int64_t>(cells_.size());
  }
  TrackCell& at(std::int64_t i);
  const TrackCell& at(std::int64_t i) const;
  // A free cell holds nothing or only a mountain marker.
  bool is_free(std::int64_t i) const;
  std::size_t size() const { return cells_.size(); }
  const std::vector<TrackCell>& cells() const { return cells_; }

 private:
  std::vector<TrackCell> cells_;
};

const char* cell_type_name(std::uint8_t type);

}  // namespace tracciato
