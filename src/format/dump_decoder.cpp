#include "format/dump_decoder.h"

#include <bit>
#include <cstring>

#include "base/utf8_path.h"
#include "format/compiled_files.h"
#include "model/geometry_table.h"

namespace tracciato {

static_assert(std::endian::native == std::endian::little, "decoding assumes a little-endian host");

namespace {

template <typename T>
T take(const std::uint8_t*& p) {
  T value;
  std::memcpy(&value, p, sizeof value);
  p += sizeof value;
  return value;
}

// Reads little-endian fields in order; running past the end names the field and offset.
class ByteReader {
 public:
  explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  std::size_t offset() const { return pos_; }
  bool at_end() const { return pos_ == bytes_.size(); }

  // `describe` names the field, called only when it does not fit.
  template <typename T, typename Describe>
  T read(const Describe& describe) {
    need(sizeof(T), describe);
    const std::uint8_t* p = bytes_.data() + pos_;
    pos_ += sizeof(T);
    return take<T>(p);
  }

  template <typename Describe>
  std::string read_text(std::size_t length, const Describe& describe) {
    need(length, describe);
    std::string text(reinterpret_cast<const char*>(bytes_.data() + pos_), length);
    pos_ += length;
    return text;
  }

 private:
  template <typename Describe>
  void need(std::size_t length, const Describe& describe) {
    const std::size_t left = bytes_.size() - pos_;
    if (length <= left) return;
    throw DecodeError(pos_, "truncated: " + describe() + " needs " + std::to_string(length) +
                                " bytes, only " + std::to_string(left) + " left");
  }

  std::span<const std::uint8_t> bytes_;
  std::size_t pos_ = 0;
};

HeaderRecord read_record(ByteReader& in, int index) {
  const std::string prefix = "record " + std::to_string(index) + "'s ";
  const auto field = [&prefix](const char* name) {
    return [&prefix, name] { return prefix + name; };
  };
  HeaderRecord r;
  r.record_kind = in.read<std::uint8_t>(field("record_kind"));
  r.record_start = in.read<std::int32_t>(field("record_start"));
  r.record_end = in.read<std::int32_t>(field("record_end"));
  r.record_position = in.read<std::int32_t>(field("record_position"));
  r.record_flag = in.read<std::uint8_t>(field("record_flag"));
  const auto length = in.read<std::uint16_t>(field("record_text length"));
  r.record_text = in.read_text(length, field("record_text"));
  r.record_word_1 = in.read<std::int16_t>(field("record_word_1"));
  r.record_word_2 = in.read<std::int16_t>(field("record_word_2"));
  r.record_word_3 = in.read<std::int16_t>(field("record_word_3"));
  r.record_word_4 = in.read<std::int16_t>(field("record_word_4"));
  r.record_word_5 = in.read<std::int16_t>(field("record_word_5"));
  r.record_byte_1 = in.read<std::uint8_t>(field("record_byte_1"));
  r.record_byte_2 = in.read<std::uint8_t>(field("record_byte_2"));
  r.record_byte_3 = in.read<std::uint8_t>(field("record_byte_3"));
  r.record_byte_4 = in.read<std::uint8_t>(field("record_byte_4"));
  r.record_time = in.read<std::int32_t>(field("record_time"));
  return r;
}

std::vector<DecodedRecord> decode_header(std::span<const std::uint8_t> bytes) {
  ByteReader in(bytes);
  std::vector<DecodedRecord> records;
  for (int i = 0; i < ScenarioHeader::kRecords; ++i) {
    const std::size_t offset = in.offset();
    records.push_back({offset, read_record(in, i)});
  }
  if (!in.at_end()) {
    throw DecodeError(in.offset(), "wrong length: the " + std::to_string(ScenarioHeader::kRecords) +
                                       " records end here, but the file has " +
                                       std::to_string(bytes.size()) + " bytes");
  }
  return records;
}

std::vector<TrackCell> decode_cells(std::span<const std::uint8_t> bytes) {
  const std::size_t partial = bytes.size() % kCellBytes;
  if (bytes.empty() || partial != 0) {
    throw DecodeError(bytes.size() - partial, "wrong length: " + std::to_string(bytes.size()) +
                                                  " bytes are not a whole, non-zero number of " +
                                                  std::to_string(kCellBytes) + "-byte cells");
  }
  std::vector<TrackCell> cells(bytes.size() / kCellBytes);
  const std::uint8_t* p = bytes.data();
  for (TrackCell& c : cells) {
    c.cell_type = take<std::uint8_t>(p);
    c.cell_value = take<std::int16_t>(p);
    c.cell_value_2 = take<std::int16_t>(p);
    c.cell_value_3 = take<std::int16_t>(p);
    c.cell_value_4 = take<std::int16_t>(p);
    c.cell_timer = take<std::uint8_t>(p);
    c.cell_approach_mark = take<std::uint8_t>(p);
    c.cell_mountain = take<std::uint8_t>(p);
    c.cell_speed = take<std::uint8_t>(p);
    c.cell_gradient = take<std::uint8_t>(p);
    c.cell_adhesion = take<std::uint8_t>(p);
  }
  return cells;
}

TaggedValue read_tagged(ByteReader& in, std::size_t index) {
  const std::size_t offset = in.offset();
  const auto value_name = [index] { return "value " + std::to_string(index); };
  TaggedValue v;
  v.tag = in.read<std::uint16_t>([&] { return value_name() + "'s tag"; });
  const auto body = [&] { return value_name() + " (tag " + std::to_string(v.tag) + ")"; };
  switch (v.tag) {
    case GeometryTable::kTagEmpty:
      break;
    case GeometryTable::kTagInt16:
      v.value = in.read<std::int16_t>(body);
      break;
    case GeometryTable::kTagDouble:
      v.value = in.read<double>(body);
      break;
    default:
      throw DecodeError(offset,
                        "unknown geometry tag " + std::to_string(v.tag) + " in " + value_name());
  }
  return v;
}

std::vector<DecodedPoint> decode_geometry(std::span<const std::uint8_t> bytes) {
  ByteReader in(bytes);
  std::vector<TaggedValue> values;
  std::size_t last_offset = 0;
  while (!in.at_end()) {
    last_offset = in.offset();
    values.push_back(read_tagged(in, values.size()));
  }
  if (values.empty() || values.size() % 2 != 0) {
    throw DecodeError(last_offset, "wrong length: " + std::to_string(values.size()) +
                                       " values do not split into two equal coordinates");
  }
  // All lateral values come first, then all values along the initial heading.
  const std::size_t metres = values.size() / 2;
  std::vector<DecodedPoint> points(metres);
  for (std::size_t m = 0; m < metres; ++m) points[m] = {values[m], values[metres + m]};
  return points;
}

}  // namespace

DecodedFile decode_compiled_file(CompiledKind kind, std::span<const std::uint8_t> bytes) {
  DecodedFile file;
  file.kind = kind;
  file.bytes = bytes.size();
  switch (kind) {
    case CompiledKind::kHeader:
      file.records = decode_header(bytes);
      break;
    case CompiledKind::kCells:
      file.cells = decode_cells(bytes);
      break;
    case CompiledKind::kGeometry:
      file.points = decode_geometry(bytes);
      break;
  }
  return file;
}

}  // namespace tracciato
