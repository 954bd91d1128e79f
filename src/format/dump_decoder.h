#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>

#include "format/compiled_files.h"
#include "model/file_names.h"
#include "model/scenario_header.h"
#include "model/track_cell_array.h"

namespace tracciato {

// Readers of the compiled files that take one item at a time from the bytes, so that a
// file of any length is shown in constant memory.

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
  int index = 0;
  std::size_t offset = 0;
  HeaderRecord record;
};

// The header's records in file order. `next` throws DecodeError at the damage, after
// every record before it came out whole.
class RecordReader {
 public:
  explicit RecordReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  // False once all 87 records have been read and nothing follows them.
  bool next(DecodedRecord& out);

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t pos_ = 0;
  int index_ = 0;
};

// The cells, by index straight from the bytes.
class CellReader {
 public:
  explicit CellReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  // The whole cells; a partial cell at the end is `damage()`.
  std::size_t count() const { return bytes_.size() / kCellBytes; }
  TrackCell at(std::size_t i) const;
  static std::size_t offset(std::size_t i) { return i * kCellBytes; }
  // Set for an empty file or one whose length is not a whole number of cells.
  std::optional<DecodeError> damage() const;

 private:
  std::span<const std::uint8_t> bytes_;
};

// One tagged geometry value; `value` means something only for the int16 and double tags.
struct TaggedValue {
  std::uint16_t tag = 0;
  double value = 0;
  std::size_t offset = 0;
};

// The two coordinates of one metre.
struct DecodedPoint {
  std::size_t metre = 0;
  TaggedValue lateral;
  TaggedValue along;
};

// The tagged values one after another from `offset`; `next` throws DecodeError for a
// value cut short or a tag the format does not have.
class TaggedValueReader {
 public:
  TaggedValueReader(std::span<const std::uint8_t> bytes, std::size_t offset, std::size_t index)
      : bytes_(bytes), pos_(offset), index_(index) {}
  bool at_end() const { return pos_ == bytes_.size(); }
  std::size_t index() const { return index_; }
  TaggedValue next();

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t pos_ = 0;
  std::size_t index_ = 0;
};

// What one walk over a geometry file's tags finds: all lateral values come first, then as
// many along the initial heading, so a metre's two values are `metres` values apart.
struct GeometryLayout {
  std::size_t values = 0;  // whole values before the end or the damage
  std::size_t metres = 0;
  std::size_t along_offset = 0;  // where the first value along the heading starts
  std::optional<DecodeError> damage;
};
GeometryLayout survey_geometry(std::span<const std::uint8_t> bytes);

// The points of a geometry file without damage, from metre `first` on.
class PointReader {
 public:
  PointReader(std::span<const std::uint8_t> bytes, const GeometryLayout& layout,
              std::size_t first = 0);
  bool next(DecodedPoint& out);

 private:
  std::size_t metre_ = 0;
  std::size_t metres_ = 0;
  TaggedValueReader lateral_;
  TaggedValueReader along_;
};

// What a file's bytes hold when its name does not say: exactly 87 records that end with
// the file is a header; tagged values that end with the file, an even number of them
// starting with the 16-bit seed, a geometry; a whole, non-zero number of 15-byte cells,
// a cell file. Tested in that order; nothing when none fits.
std::optional<CompiledKind> compiled_kind_from_content(std::span<const std::uint8_t> bytes);

// The damage of a file, found without writing anything.
std::optional<DecodeError> find_damage(CompiledKind kind, std::span<const std::uint8_t> bytes);

}  // namespace tracciato
