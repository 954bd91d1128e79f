#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/file_names.h"
#include "model/scenario_header.h"
#include "model/track_cell_array.h"

namespace tracciato {

// A compiled file whose bytes do not hold what its kind promises.
class DecodeError : public std::runtime_error {
 public:
  DecodeError(std::size_t offset, const std::string& reason)
      : std::runtime_error(reason), offset_(offset) {}
  std::size_t offset() const { return offset_; }

 private:
  std::size_t offset_;
};

struct DecodedRecord {
  std::size_t offset = 0;
  HeaderRecord record;
};

// One tagged geometry value; `value` means something only for the int16 and double tags.
struct TaggedValue {
  std::uint16_t tag = 0;
  double value = 0;
};

// The two coordinates of one metre.
struct DecodedPoint {
  TaggedValue lateral;
  TaggedValue along;
};

struct DecodedFile {
  CompiledKind kind = CompiledKind::kHeader;
  std::size_t bytes = 0;
  std::vector<DecodedRecord> records;  // header file
  std::vector<TrackCell> cells;        // cell file
  std::vector<DecodedPoint> points;    // geometry file, one per metre
};

// Throws DecodeError for a truncated file, a wrong length or an unknown geometry tag.
DecodedFile decode_compiled_file(CompiledKind kind, std::span<const std::uint8_t> bytes);

}  // namespace tracciato
