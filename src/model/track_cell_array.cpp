#include "model/track_cell_array.h"

#include <string>

#include "base/unexpected_failure.h"

namespace tracciato {

void TrackCellArray::allocate(std::int64_t last_index) {
  if (last_index < 0) {
    UnexpectedFailure failure("the route length leaves the track without a single cell");
    failure.note = "the track cell array would end at cell " + std::to_string(last_index);
    throw failure;
  }
  cells_.assign(static_cast<std::size_t>(last_index) + 1, TrackCell{});
}

std::int32_t TrackCellArray::last_index() const {
  if (cells_.empty()) throw UnexpectedFailure("the track cell array was never created");
  return static_cast<std::int32_t>(cells_.size() - 1);
}

TrackCell& TrackCellArray::at(std::int64_t i) {
  return const_cast<TrackCell&>(static_cast<const TrackCellArray&>(*this).at(i));
}

const TrackCell& TrackCellArray::at(std::int64_t i) const {
  if (!contains(i)) {
    if (cells_.empty()) throw UnexpectedFailure("the track cell array was never created");
    // Cell i holds what stands at (i - 1) * 50 m.
    const std::int64_t last = static_cast<std::int64_t>(cells_.size()) - 1;
    UnexpectedFailure failure(i < 0 ? "the row reaches before the start of the track"
                                    : "the row reaches " + std::to_string((i - 1) * 50) +
                                          " m, past the end of the track at " +
                                          std::to_string(last * 50) + " m");
    failure.note =
        "track cell " + std::to_string(i) + " lies outside the cells 0 to " + std::to_string(last);
    throw failure;
  }
  return cells_[static_cast<std::size_t>(i)];
}

bool TrackCellArray::is_free(std::int64_t i) const {
  const std::uint8_t type = at(i).cell_type;
  return type == cell_type::kNothing || type == cell_type::kMountainMarker;
}

const char* cell_type_name(std::uint8_t type) {
  switch (type) {
    case cell_type::kNothing:
      return "nothing";
    case cell_type::kSignal:
      return "a signal";
    case cell_type::kSlowdownEnd:
      return "a slowdown end";
    case cell_type::kSlowdownStart:
      return "a slowdown start";
    case cell_type::kSlowdownWarning:
      return "a slowdown warning";
    case cell_type::kSlowdownAdvance:
      return "a slowdown advance cell";
    case cell_type::kSpeedBoard:
      return "a maximum-speed indicator board";
    case cell_type::kStationMarker:
      return "a station marker";
    case cell_type::kMountainMarker:
      return "a mountain marker";
    case cell_type::kCodeMarker:
      return "a code marker";
    case cell_type::kCodeEndMarker:
      return "a code-end marker";
    case cell_type::kSignboard:
      return "a signboard";
    default:
      return "an object of unknown type";
  }
}

}  // namespace tracciato
