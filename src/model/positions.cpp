#include "model/positions.h"

#include <algorithm>

#include "model/header_records.h"

namespace tracciato {

LineKilometres LineKilometres::from_header(const ScenarioHeader& header) {
  std::array<KilometricProgressive, 3> written{};
  for (std::size_t k = 0; k < written.size(); ++k) {
    const ProgressiveView progressive(header.at(header_index::kProgressives[k]));
    const bool decreasing = progressive.direction_flag == 1;
    written[k] = {progressive.start,
                  progressive.kilometric_value - (decreasing ? kDecreasingValueShift : 0),
                  decreasing};
  }
  return LineKilometres(written);
}

LineKilometres::LineKilometres(const std::array<KilometricProgressive, 3>& written) {
  for (const KilometricProgressive& p : written) {
    if (p.start != 0 || p.value != 0 || p.decreasing) used_[count_++] = p;
  }
  // Earlier records first among equal starts, as the compiler ordered them.
  std::stable_sort(used_.begin(), used_.begin() + static_cast<std::ptrdiff_t>(count_),
                   [](const auto& a, const auto& b) { return a.start < b.start; });
}

const KilometricProgressive* LineKilometres::governing(std::int64_t route_metres) const {
  const KilometricProgressive* found = nullptr;
  for (std::size_t k = 0; k < count_; ++k) {
    if (used_[k].start > route_metres) break;
    if (found == nullptr || used_[k].start > found->start) found = &used_[k];
  }
  return found;
}

std::optional<std::int64_t> LineKilometres::kilometre_at(std::int64_t route_metres) const {
  const KilometricProgressive* p = governing(route_metres);
  if (p == nullptr) return std::nullopt;
  const std::int64_t along = route_metres - p->start;
  return p->decreasing ? p->value - along : p->value + along;
}

std::optional<std::int64_t> LineKilometres::route_at(std::int64_t kilometre) const {
  for (std::size_t k = 0; k < count_; ++k) {
    const KilometricProgressive& p = used_[k];
    const std::int64_t along = p.decreasing ? p.value - kilometre : kilometre - p.value;
    const std::int64_t route = p.start + along;
    if (along >= 0 && governing(route) == &p) return route;
  }
  return std::nullopt;
}

std::string railway_kilometre(std::int64_t metres) {
  const std::int64_t whole = metres < 0 ? -metres : metres;
  std::string part = std::to_string(whole % 1000);
  part.insert(0, 3 - part.size(), '0');
  return std::string("km ") + (metres < 0 ? "-" : "") + std::to_string(whole / 1000) + "+" + part;
}

}  // namespace tracciato
