#include "compile/field_values.h"

#include <limits>

#include "base/rounding.h"
#include "model/positions.h"

namespace tracciato {

namespace {

constexpr std::int64_t kKilometreShift = 100;
constexpr std::int64_t kGradientOffset = 100;
constexpr std::int64_t kLargestFifth = 255;

std::optional<std::int64_t> within(const FieldSpec& field, std::int64_t v) {
  if (v < field.low || v > field.high) return std::nullopt;
  return v;
}

std::optional<std::int64_t> fifths(std::int64_t v) {
  const double fifth = round_half_even(static_cast<double>(v) / 5);
  if (fifth < 0 || fifth > kLargestFifth) return std::nullopt;
  return static_cast<std::int64_t>(fifth) * 5;
}

}  // namespace

std::optional<StoredValue> stored_value(const FieldSpec& field, std::int64_t written,
                                        bool decreasing) {
  switch (field.storage) {
    case Storage::kAsWritten:
    case Storage::kPlanMetres:
      return StoredValue{written, std::nullopt};
    case Storage::kKilometre:
      return StoredValue{written + (decreasing ? kKilometreShift : 0), std::nullopt};
    case Storage::kCellPoint: {
      const std::int64_t cell = point_cell(written);
      return StoredValue{point_position(cell), cell};
    }
    case Storage::kCellRun: {
      const std::int64_t cell = run_cell(written);
      return StoredValue{cell * kCellLength, cell};
    }
    case Storage::kDividedBy5:
      return StoredValue{fifths(written), std::nullopt};
    case Storage::kPlus100Low8:
      return StoredValue{std::int64_t{low8(written + kGradientOffset)} - kGradientOffset,
                         std::nullopt};
    case Storage::kLow8:
      return StoredValue{low8(written), std::nullopt};
    case Storage::kLow16:
      return StoredValue{low16(written), std::nullopt};
    case Storage::kNarrowed:
      return StoredValue{within(field, written), std::nullopt};
    case Storage::kPacked:
    case Storage::kPlatformSpan:
    case Storage::kDepartureTime:
    case Storage::kText:
      break;
  }
  return std::nullopt;
}

bool differs(const StoredValue& stored, std::int64_t written) {
  return stored.value != written;
}

std::string thousands(std::int64_t v) {
  const bool negative = v < 0;
  std::string digits = std::to_string(v);
  if (negative) digits.erase(0, 1);
  for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3) {
    digits.insert(static_cast<std::size_t>(i), ",");
  }
  return (negative ? "-" : "") + digits;
}

std::string range_words(const FieldSpec& field) {
  if (field.storage == Storage::kText) return "text";
  if (field.low == std::numeric_limits<std::int32_t>::min() &&
      field.high == std::numeric_limits<std::int32_t>::max()) {
    return "any 32-bit whole number";
  }
  return thousands(field.low) + " to " + thousands(field.high) +
         (field.unit.empty() ? "" : " " + std::string(field.unit));
}

}  // namespace tracciato
