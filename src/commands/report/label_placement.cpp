#include "commands/report/label_placement.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>

namespace tracciato {

namespace {

// Candidate corners relative to the anchor, nearest first: right of it above and below,
// left of it above and below, centred above and below, then the same further out, twice.
constexpr double kNear = 5;

constexpr std::size_t kRings = 3;
constexpr std::size_t kAround = 6;

std::array<LabelPlace, kAround * kRings> candidates(const LabelRequest& l) {
  std::array<LabelPlace, kAround * kRings> c{};
  for (std::size_t ring = 0; ring < kRings; ++ring) {
    const double d = kNear + static_cast<double>(ring) * (l.height + kNear);
    const double x = l.anchor_x;
    const double y = l.anchor_y;
    const std::array<LabelPlace, kAround> around = {{{true, x + d, y - d - l.height},
                                                     {true, x + d, y + d},
                                                     {true, x - d - l.width, y - d - l.height},
                                                     {true, x - d - l.width, y + d},
                                                     {true, x - l.width / 2, y - d - l.height},
                                                     {true, x - l.width / 2, y + d}}};
    std::copy(around.begin(), around.end(),
              c.begin() + static_cast<std::ptrdiff_t>(ring * kAround));
  }
  return c;
}

// Boxes placed so far, kept in buckets of their left edge so that a test looks at
// neighbours only, whatever the number of labels.
class PlacedBoxes {
 public:
  explicit PlacedBoxes(double widest) : bucket_(std::max(widest, 1.0)) {}

  bool free(const Box& b) const {
    const long first = key(b.left) - 1;
    const long last = key(b.right);
    for (long k = first; k <= last; ++k) {
      const auto it = std::lower_bound(keys_.begin(), keys_.end(), k);
      if (it == keys_.end() || *it != k) continue;
      const auto& boxes = buckets_[static_cast<std::size_t>(it - keys_.begin())];
      if (std::any_of(boxes.begin(), boxes.end(), [&](const Box& o) { return overlap(o, b); })) {
        return false;
      }
    }
    return true;
  }

  void add(const Box& b) {
    const long k = key(b.left);
    const auto it = std::lower_bound(keys_.begin(), keys_.end(), k);
    const auto at = static_cast<std::size_t>(it - keys_.begin());
    if (it == keys_.end() || *it != k) {
      keys_.insert(it, k);
      buckets_.insert(buckets_.begin() + static_cast<std::ptrdiff_t>(at), std::vector<Box>{});
    }
    buckets_[at].push_back(b);
  }

 private:
  long key(double x) const { return static_cast<long>(std::floor(x / bucket_)); }

  double bucket_;
  std::vector<long> keys_;
  std::vector<std::vector<Box>> buckets_;
};

Box grown(const Box& b, double gap) {
  return {b.left - gap / 2, b.top - gap / 2, b.right + gap / 2, b.bottom + gap / 2};
}

}  // namespace

bool overlap(const Box& a, const Box& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

Box box_of(const LabelRequest& label, const LabelPlace& place) {
  return {place.left, place.top, place.left + label.width, place.top + label.height};
}

bool within(const Box& inner, const Box& outer) {
  return inner.left >= outer.left && inner.right <= outer.right && inner.top >= outer.top &&
         inner.bottom <= outer.bottom;
}

std::vector<LabelPlace> place_labels(std::span<const LabelRequest> labels, const Box& bounds,
                                     double gap) {
  std::vector<std::size_t> order(labels.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t a, std::size_t b) { return labels[a].rank < labels[b].rank; });
  double widest = 0;
  for (const LabelRequest& l : labels) widest = std::max(widest, l.width + gap);
  PlacedBoxes placed(widest);
  std::vector<LabelPlace> places(labels.size());
  for (const std::size_t i : order) {
    for (const LabelPlace& c : candidates(labels[i])) {
      const Box b = grown(box_of(labels[i], c), gap);
      if (!within(box_of(labels[i], c), bounds) || !placed.free(b)) continue;
      placed.add(b);
      places[i] = c;
      break;
    }
  }
  return places;
}

}  // namespace tracciato
