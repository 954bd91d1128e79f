#include "commands/report/polyline_simplify.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <optional>
#include <queue>
#include <tuple>
#include <utility>

namespace tracciato {

namespace {

double distance_to_segment(const Point& p, const Point& a, const Point& b) {
  const double dx = b.x - a.x;
  const double dy = b.y - a.y;
  const double length2 = dx * dx + dy * dy;
  double t = length2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / length2 : 0;
  t = std::clamp(t, 0.0, 1.0);
  return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

// The points still kept, linked to their neighbours, with how much each one matters.
class Chain {
 public:
  explicit Chain(std::span<const Point> points)
      : points_(points), prev_(points.size()), next_(points.size()), version_(points.size()) {
    for (std::size_t i = 0; i < points.size(); ++i) prev_[i] = i - 1, next_[i] = i + 1;
    for (std::size_t i = 1; i + 1 < points.size(); ++i) weigh(i);
  }

  std::size_t remaining() const { return remaining_; }

  // The point that matters least and its weight, skipping weights that removals made
  // stale; nothing once only the two ends remain.
  std::optional<std::pair<double, std::size_t>> lightest() {
    while (!queue_.empty()) {
      const auto [weight, i, version] = queue_.top();
      if (version == version_[i]) return std::pair{weight, i};
      queue_.pop();
    }
    return std::nullopt;
  }

  // Removes the lightest point, just returned by lightest().
  void remove(std::size_t i) {
    queue_.pop();
    ++version_[i];
    next_[prev_[i]] = next_[i];
    prev_[next_[i]] = prev_[i];
    --remaining_;
    if (prev_[i] != 0) weigh(prev_[i]);
    if (next_[i] != points_.size() - 1) weigh(next_[i]);
  }

  std::vector<std::size_t> kept() const {
    std::vector<std::size_t> indexes;
    for (std::size_t i = 0; i < points_.size(); i = next_[i]) indexes.push_back(i);
    return indexes;
  }

 private:
  void weigh(std::size_t i) {
    ++version_[i];
    const double w = distance_to_segment(points_[i], points_[prev_[i]], points_[next_[i]]);
    queue_.emplace(w, i, version_[i]);
  }

  using Entry = std::tuple<double, std::size_t, std::uint32_t>;
  std::span<const Point> points_;
  std::vector<std::size_t> prev_, next_;
  std::vector<std::uint32_t> version_;
  std::priority_queue<Entry, std::vector<Entry>, std::greater<>> queue_;
  std::size_t remaining_ = points_.size();
};

}  // namespace

std::vector<std::size_t> simplify_polyline(std::span<const Point> points, std::size_t max_points,
                                           double tolerance) {
  const std::size_t target = std::max<std::size_t>(max_points, 2);
  Chain chain(points);
  while (const auto lightest = chain.lightest()) {
    const auto [weight, i] = *lightest;
    if (weight > tolerance && chain.remaining() <= target) break;
    chain.remove(i);
  }
  return chain.kept();
}

}  // namespace tracciato
