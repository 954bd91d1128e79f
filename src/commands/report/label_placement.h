#pragma once

#include <span>
#include <vector>

namespace tracciato {

// A label to place beside its anchor point: its size, and its rank (0 first) when there is
// not room for all.
struct LabelRequest {
  double anchor_x = 0;
  double anchor_y = 0;
  double width = 0;
  double height = 0;
  int rank = 0;
};

// Where a label went: the top-left corner of its box, or not shown at all.
struct LabelPlace {
  bool shown = false;
  double left = 0;
  double top = 0;
};

// An axis-aligned box: [left, right) x [top, bottom).
struct Box {
  double left = 0;
  double top = 0;
  double right = 0;
  double bottom = 0;
};

bool overlap(const Box& a, const Box& b);

// Places the labels in rank order, then in the order given: each takes the first of its
// candidate places around the anchor whose box lies within `bounds` and meets no box
// placed before it, or is not shown. No two shown boxes overlap; `gap` pixels stay
// between them.
std::vector<LabelPlace> place_labels(std::span<const LabelRequest> labels, const Box& bounds,
                                     double gap = 2);

// Whether `inner` lies wholly within `outer`.
bool within(const Box& inner, const Box& outer);

// The box a shown label takes.
Box box_of(const LabelRequest& label, const LabelPlace& place);

}  // namespace tracciato
