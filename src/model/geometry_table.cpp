#include "model/geometry_table.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string>

#include "base/unexpected_failure.h"
#include "platform/memory_advice.h"

namespace tracciato {

static_assert(std::endian::native == std::endian::little, "encodings assume a little-endian host");

namespace {
constexpr std::size_t kSeedBytes = 4;
constexpr std::size_t kPointBytes = 10;
constexpr std::size_t kEmptyBytes = 2;

// Out of line, so that the per-metre path below stays a few instructions.
[[noreturn, gnu::cold, gnu::noinline]] void refuse_point(bool seeded, std::int32_t m,
                                                         std::int32_t span) {
  if (!seeded) throw UnexpectedFailure("the geometry table was never seeded");
  throw UnexpectedFailure("geometry point " + std::to_string(m) + " lies beyond " +
                          std::to_string(span));
}

void put_coordinate(std::uint8_t* out, double value) {
  const std::uint8_t tag[2] = {GeometryTable::kTagDouble, 0};
  std::memcpy(out, tag, 2);
  std::memcpy(out + 2, &value, 8);
}
}  // namespace

GeometryTable::GeometryTable(std::int64_t route_span) {
  if (route_span < 0 || route_span > INT32_MAX) {
    throw UnexpectedFailure("the geometry table cannot have " + std::to_string(route_span) +
                            " as its last point");
  }
  span_ = static_cast<std::int32_t>(route_span);
  const auto points = static_cast<std::size_t>(span_) + 1;
  capacity_ = points <= 2 ? points * kSeedBytes : 2 * kSeedBytes + (points - 2) * kPointBytes;
  bytes_.reserve(2 * capacity_);
  advise_huge_pages(bytes_.data(), bytes_.capacity());
  bytes_.assign(2 * capacity_, 0);
}

void GeometryTable::seed() {
  if (span_ < 1) throw UnexpectedFailure("the geometry table has no point 1 to seed");
  constexpr std::array<std::uint8_t, 8> kLateral = {2, 0, 0, 0, 2, 0, 0, 0};
  constexpr std::array<std::uint8_t, 8> kAlong = {2, 0, 0, 0, 2, 0, 1, 0};
  std::copy(kLateral.begin(), kLateral.end(), bytes_.begin());
  std::copy(kAlong.begin(), kAlong.end(), bytes_.begin() + static_cast<std::ptrdiff_t>(capacity_));
  seeded_ = true;
  next_ = 2;
  lateral_2_ = 0;
  along_2_ = 0;
  lateral_1_ = 0;
  along_1_ = 1;
}

void GeometryTable::put(double lateral, double along) {
  if (!seeded_ || next_ > span_) [[unlikely]]
    refuse_point(seeded_, next_, span_);
  std::uint8_t* const out =
      bytes_.data() + 2 * kSeedBytes + static_cast<std::size_t>(next_ - 2) * kPointBytes;
  put_coordinate(out, lateral);
  put_coordinate(out + capacity_, along);
  lateral_2_ = lateral_1_;
  along_2_ = along_1_;
  lateral_1_ = lateral;
  along_1_ = along;
  ++next_;
}

void GeometryTable::add_straight() {
  const Point p = straight_from({lateral_2_, along_2_}, {lateral_1_, along_1_});
  put(p.lateral, p.along);
}

void GeometryTable::add_curve(double curvature) {
  const Point p = curve_from({lateral_2_, along_2_}, {lateral_1_, along_1_}, curvature);
  put(p.lateral, p.along);
}

std::optional<double> GeometryTable::coordinate(std::int32_t m, int c) const {
  if (!seeded_ || m < 0 || m >= next_ || (c != 0 && c != 1)) return std::nullopt;
  if (m < 2) return c == 1 && m == 1 ? 1.0 : 0.0;
  double v = 0;
  const std::size_t offset = 2 * kSeedBytes + static_cast<std::size_t>(m - 2) * kPointBytes + 2;
  std::memcpy(&v, bytes_.data() + static_cast<std::size_t>(c) * capacity_ + offset, 8);
  return v;
}

std::size_t GeometryTable::section_length() const {
  const auto points = static_cast<std::size_t>(span_) + 1;
  const auto computed = static_cast<std::size_t>(next_ - 2);
  return 2 * kSeedBytes + computed * kPointBytes + (points - 2 - computed) * kEmptyBytes;
}

std::array<std::span<const std::uint8_t>, 2> GeometryTable::file_parts() const {
  if (!seeded_) throw UnexpectedFailure("the geometry table was never seeded");
  const std::size_t length = section_length();
  return {std::span<const std::uint8_t>(bytes_.data(), length),
          std::span<const std::uint8_t>(bytes_.data() + capacity_, length)};
}

}  // namespace tracciato
