#include "format/dump_decoder.h"

#include <bit>
#include <cstring>

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
  ByteReader(std::span<const std::uint8_t> bytes, std::size_t pos) : bytes_(bytes), pos_(pos) {}
  std::size_t offset() const { return pos_; }

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

}  // namespace

bool RecordReader::next(DecodedRecord& out) {
  if (index_ == ScenarioHeader::kRecords) {
    if (pos_ == bytes_.size()) return false;
    throw DecodeError(pos_, "wrong length: the " + std::to_string(ScenarioHeader::kRecords) +
                                " records end here, but the file has " +
                                std::to_string(bytes_.size()) + " bytes");
  }
  ByteReader in(bytes_, pos_);
  out.record = read_record(in, index_);
  out.index = index_++;
  out.offset = pos_;
  pos_ = in.offset();
  return true;
}

TrackCell CellReader::at(std::size_t i) const {
  const std::uint8_t* p = bytes_.data() + offset(i);
  TrackCell c;
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
  return c;
}

std::optional<DecodeError> CellReader::damage() const {
  const std::size_t partial = bytes_.size() % kCellBytes;
  if (!bytes_.empty() && partial == 0) return std::nullopt;
  return DecodeError(bytes_.size() - partial, "wrong length: " + std::to_string(bytes_.size()) +
                                                  " bytes are not a whole, non-zero number of " +
                                                  std::to_string(kCellBytes) + "-byte cells");
}

TaggedValue TaggedValueReader::next() {
  ByteReader in(bytes_, pos_);
  const auto value_name = [this] { return "value " + std::to_string(index_); };
  TaggedValue v;
  v.offset = pos_;
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
      throw DecodeError(pos_,
                        "unknown geometry tag " + std::to_string(v.tag) + " in " + value_name());
  }
  pos_ = in.offset();
  ++index_;
  return v;
}

GeometryLayout survey_geometry(std::span<const std::uint8_t> bytes) {
  GeometryLayout layout;
  TaggedValueReader in(bytes, 0, 0);
  std::size_t last_offset = 0;
  // The offset of value n / 2 moves on by one value for every two values read.
  TaggedValueReader middle(bytes, 0, 0);
  try {
    while (!in.at_end()) {
      last_offset = in.next().offset;
      if (in.index() % 2 == 0) middle.next();
    }
  } catch (const DecodeError& error) {
    layout.values = in.index();
    layout.damage = error;
    return layout;
  }
  layout.values = in.index();
  if (layout.values == 0 || layout.values % 2 != 0) {
    layout.damage = DecodeError(last_offset, "wrong length: " + std::to_string(layout.values) +
                                                 " values do not split into two equal coordinates");
    return layout;
  }
  layout.metres = layout.values / 2;
  layout.along_offset = middle.at_end() ? bytes.size() : middle.next().offset;
  return layout;
}

PointReader::PointReader(std::span<const std::uint8_t> bytes, const GeometryLayout& layout,
                         std::size_t first)
    : metres_(layout.metres),
      lateral_(bytes, 0, 0),
      along_(bytes, layout.along_offset, layout.metres) {
  for (; metre_ < first && metre_ < metres_; ++metre_) {
    lateral_.next();
    along_.next();
  }
}

bool PointReader::next(DecodedPoint& out) {
  if (metre_ >= metres_) return false;
  out.metre = metre_++;
  out.lateral = lateral_.next();
  out.along = along_.next();
  return true;
}

std::optional<CompiledKind> compiled_kind_from_content(std::span<const std::uint8_t> bytes) {
  try {
    RecordReader header(bytes);
    DecodedRecord record;
    while (header.next(record)) {
    }
    return CompiledKind::kHeader;
  } catch (const DecodeError&) {
  }
  const bool seeded = bytes.size() >= 2 && bytes[0] == GeometryTable::kTagInt16 && bytes[1] == 0;
  if (seeded && !survey_geometry(bytes).damage) return CompiledKind::kGeometry;
  if (!CellReader(bytes).damage()) return CompiledKind::kCells;
  return std::nullopt;
}

std::optional<DecodeError> find_damage(CompiledKind kind, std::span<const std::uint8_t> bytes) {
  switch (kind) {
    case CompiledKind::kHeader:
      try {
        RecordReader reader(bytes);
        DecodedRecord record;
        while (reader.next(record)) {
        }
      } catch (const DecodeError& error) {
        return error;
      }
      return std::nullopt;
    case CompiledKind::kCells:
      return CellReader(bytes).damage();
    case CompiledKind::kGeometry:
      return survey_geometry(bytes).damage;
  }
  return std::nullopt;
}

}  // namespace tracciato
