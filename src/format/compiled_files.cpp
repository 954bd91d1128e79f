#include "format/compiled_files.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "base/unexpected_failure.h"

namespace tracciato {

static_assert(std::endian::native == std::endian::little, "encodings assume a little-endian host");

namespace {

template <typename T>
std::uint8_t* put(std::uint8_t* out, T value) {
  std::memcpy(out, &value, sizeof value);
  return out + sizeof value;
}

std::uint8_t* put_record(std::uint8_t* out, const HeaderRecord& r) {
  out = put(out, r.record_kind);
  out = put(out, r.record_start);
  out = put(out, r.record_end);
  out = put(out, r.record_position);
  out = put(out, r.record_flag);
  out = put(out, static_cast<std::uint16_t>(r.record_text.size()));
  out = std::copy(r.record_text.begin(), r.record_text.end(), out);
  for (const std::int16_t w :
       {r.record_word_1, r.record_word_2, r.record_word_3, r.record_word_4, r.record_word_5}) {
    out = put(out, w);
  }
  for (const std::uint8_t b :
       {r.record_byte_1, r.record_byte_2, r.record_byte_3, r.record_byte_4}) {
    out = put(out, b);
  }
  return put(out, r.record_time);
}

}  // namespace

std::vector<std::uint8_t> encode_header(const ScenarioHeader& header) {
  std::size_t total = 0;
  for (const HeaderRecord& r : header.records()) {
    // The compile refuses such a text at its row; this keeps the file whole regardless.
    if (r.record_text.size() > kLongestRecordText) {
      throw UnexpectedFailure("a header text is longer than 65535 bytes");
    }
    total += kEmptyRecordBytes + r.record_text.size();
  }
  std::vector<std::uint8_t> bytes(total);
  std::uint8_t* out = bytes.data();
  for (const HeaderRecord& r : header.records()) out = put_record(out, r);
  return bytes;
}

std::vector<std::uint8_t> encode_cells(const TrackCellArray& cells) {
  std::vector<std::uint8_t> bytes(cells.size() * kCellBytes);
  std::uint8_t* out = bytes.data();
  for (const TrackCell& c : cells.cells()) {
    out = put(out, c.cell_type);
    for (const std::int16_t v : {c.cell_value, c.cell_value_2, c.cell_value_3, c.cell_value_4}) {
      out = put(out, v);
    }
    for (const std::uint8_t b : {c.cell_timer, c.cell_approach_mark, c.cell_mountain, c.cell_speed,
                                 c.cell_gradient, c.cell_adhesion}) {
      out = put(out, b);
    }
  }
  return bytes;
}

}  // namespace tracciato
