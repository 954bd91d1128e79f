#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace tracciato {

// Plan coordinates per metre, 0 to route span: coordinate 0 lateral, 1 along the initial
// heading. Points are kept straight in their file encoding (tagged values, all coordinate-0
// values first), so writing the table costs no second copy.
class GeometryTable {
 public:
  static constexpr std::uint16_t kTagEmpty = 0;
  static constexpr std::uint16_t kTagInt16 = 2;
  static constexpr std::uint16_t kTagDouble = 5;

  // Every element empty; a negative span is an unexpected failure.
  explicit GeometryTable(std::int64_t route_span);

  std::int32_t route_span() const { return span_; }
  // Points 0 and 1 become the 16-bit integers (0, 0) and (0, 1).
  void seed();
  // The geometry point m: the next point to be computed.
  std::int32_t next_point() const { return next_; }
  // Computes point m from points m - 1 and m - 2 and advances m.
  void add_straight();
  void add_curve(double curvature);

  // One point of the plan from the two before it, as the two steps above compute it.
  struct Point {
    double lateral = 0;
    double along = 0;
  };
  static Point straight_from(Point before_last, Point last) {
    const double d1 = last.lateral - before_last.lateral;
    const double d2 = last.along - before_last.along;
    return {last.lateral + d1, last.along + d2};
  }
  static Point curve_from(Point before_last, Point last, double curvature) {
    const double d1 = last.lateral - before_last.lateral;
    const double d2 = last.along - before_last.along;
    return {last.lateral + d1 + curvature * d2, last.along + d2 - curvature * d1};
  }

  // Coordinate c of point m, empty when never computed.
  std::optional<double> coordinate(std::int32_t m, int c) const;
  // The geometry file: coordinate-0 values of every metre, then coordinate-1 values.
  std::array<std::span<const std::uint8_t>, 2> file_parts() const;

 private:
  void put(double lateral, double along);
  std::size_t section_length() const;

  std::int32_t span_ = 0;
  std::size_t capacity_ = 0;  // bytes reserved per coordinate
  std::vector<std::uint8_t> bytes_;
  std::int32_t next_ = 2;
  bool seeded_ = false;
  // Points m - 1 and m - 2.
  double lateral_1_ = 0, along_1_ = 1, lateral_2_ = 0, along_2_ = 0;
};

}  // namespace tracciato
