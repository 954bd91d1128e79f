#include "compile/signals/code_pass.h"

#include <array>
#include <cstdint>
#include <string>

#include "compile/check_hooks.h"
#include "compile/row_checks.h"
#include "compile/signals/minimo.h"
#include "compile/train/slowdown_recorder.h"
#include "model/error_codes.h"
#include "model/positions.h"

namespace tracciato {

namespace {

constexpr std::int16_t kMarkerValue = 180;
constexpr int kLookBack = 20;
constexpr std::int64_t kLowestSignal = 3;
constexpr std::int16_t kRepeatBelow = 110;
constexpr int kRepeatEvery = 8;
constexpr int kEndSearch = 12;

struct Band {
  std::int64_t guard;
  std::array<std::int64_t, 3> offsets;
};
constexpr std::array<Band, 3> kBands = {{{7, {5, 6, 7}}, {13, {11, 12, 13}}, {20, {18, 19, 20}}}};

class CodePass {
 public:
  explicit CodePass(Scenario& s) : s_(s), cells_(s.cells) {}

  void run();

 private:
  // Cells beyond the array are neither free nor signals.
  std::uint8_t type(std::int64_t i) const {
    return cells_.contains(i) ? cells_.at(i).cell_type : std::uint8_t{255};
  }
  bool is_free(std::int64_t i) const { return cells_.contains(i) && cells_.is_free(i); }
  void mark(std::int64_t i) {
    TrackCell& cell = cells_.at(i);
    cell.cell_type = cell_type::kCodeMarker;
    cell.cell_value = kMarkerValue;
  }
  void cap(std::int64_t i) {
    TrackCell& cell = cells_.at(i);
    cell.cell_value =
        static_cast<std::int16_t>(minimo<std::int32_t>(kMarkerValue, cell.cell_value));
  }
  // Records `code` at the row of the slowdown whose start is in cell `start`; cell `at`
  // gives the error position.
  void fail(std::int32_t code, std::int64_t start, std::int64_t at, const std::string& why) {
    s_.errors.record_at(code, static_cast<std::int32_t>(at * kCellLength),
                        "the slowdown at " + route_place(s_, point_position(start)) + " " + why,
                        slowdown_row(start));
    s_.errors.add_note(
        "code markers go in free track cells around a slowdown; the error "
        "position is that of cell " +
        std::to_string(at) + ", " + metres(at * kCellLength));
    tell_checker(s_.observer, s_.errors);
  }

  // The row of the slowdown whose start is in cell `start`.
  SourceLocation slowdown_row(std::int64_t start) const {
    for (const RowSource& slowdown : s_.slowdown_rows) {
      if (point_cell(slowdown.position) == start) return slowdown.at;
    }
    return {};
  }

  void look_back(std::int64_t c);
  void approach_bands(std::int64_t c);
  std::int64_t repeat_walk(std::int64_t c);
  void end_search(std::int64_t start, std::int64_t e);

  Scenario& s_;
  TrackCellArray& cells_;
};

void CodePass::run() {
  const std::int64_t last = static_cast<std::int64_t>(cells_.size()) - 1;
  for (std::int64_t c = 1; c <= last - 2; ++c) {
    const std::uint8_t t = cells_.at(c).cell_type;
    if (t == cell_type::kSlowdownWarning) look_back(c);
    if (t == cell_type::kSlowdownStart) {
      approach_bands(c);
      end_search(c, repeat_walk(c));
    }
  }
}

void CodePass::look_back(std::int64_t c) {
  for (std::int64_t a = 1; a <= kLookBack; ++a) {
    const std::int64_t k = c - a;
    if (k < kLowestSignal) return;
    if (type(k) != cell_type::kSignal) continue;
    if (is_free(k - 1)) {
      mark(k - 1);
    } else if (is_free(k - 2)) {
      mark(k - 2);
    } else if (type(k - 1) == cell_type::kCodeMarker) {
      cap(k - 1);
    } else if (type(k - 2) == cell_type::kCodeMarker) {
      cap(k - 2);
    } else {
      fail(error_code::kMarkerBeforeSignal, c + kSlowdownWarningDistance / kCellLength, k,
           "needs a code marker just before the signal at " + metres(point_position(k)) +
               ", up to 1,000 m before its warning, but the 100 m before that signal are "
               "taken");
    }
  }
}

void CodePass::approach_bands(std::int64_t c) {
  for (const Band& band : kBands) {
    if (c <= band.guard) continue;
    bool marked = false;
    for (const std::int64_t offset : band.offsets) {
      if (is_free(c - offset)) {
        mark(c - offset);
        marked = true;
        break;
      }
    }
    if (!marked) {
      fail(error_code::kMarkerBeforeSlowdown, c, c,
           "needs a code marker " + std::to_string(band.offsets[0] * kCellLength) + " to " +
               std::to_string(band.offsets[2] * kCellLength) +
               " m before its start, but every cell there is taken");
    }
  }
}

std::int64_t CodePass::repeat_walk(std::int64_t c) {
  const std::int64_t last = static_cast<std::int64_t>(cells_.size()) - 1;
  const bool repeats = cells_.at(c).cell_value < kRepeatBelow;
  std::int64_t t = c;
  int n = 0;
  for (;;) {
    ++t;
    ++n;
    if (repeats && n == kRepeatEvery) {
      // The count to the next repeat starts again from where this one went.
      if (is_free(t)) {
        mark(t);
        n = 0;
      } else if (is_free(t - 1)) {
        mark(t - 1);
        n = 1;
      } else if (is_free(t + 1)) {
        mark(t + 1);
        n = -1;
      } else {
        fail(error_code::kMarkerRepeat, c, t,
             "needs a repeat code marker around " + metres(point_position(t)) +
                 ", inside it, but the cells there are taken");
      }
    }
    if (type(t) == cell_type::kSlowdownEnd) return t;
    if (t >= last) {
      if (s_.observer != nullptr) {
        s_.observer->warning({slowdown_row(c),
                              static_cast<std::int32_t>(c * kCellLength),
                              "the slowdown at " + metres(point_position(c)) +
                                  " has no end before the end of the track",
                              {}});
      }
      return t;
    }
  }
}

void CodePass::end_search(std::int64_t start, std::int64_t e) {
  const std::int64_t bound = e + kEndSearch;
  for (std::int64_t s = e; s <= bound; ++s) {
    if (type(s) != cell_type::kSignal) continue;
    const std::int64_t k = s - 1;
    if (is_free(k)) {
      mark(k);
    } else if (is_free(k - 1)) {
      mark(k - 1);
    } else {
      fail(error_code::kMarkerRepeat, start, e,
           "needs a code marker just before the signal at " + metres(point_position(s)) +
               ", after its end, but the 100 m before that signal are taken");
    }
    return;
  }
}

}  // namespace

void signal_code_pass(Scenario& scenario) {
  CodePass(scenario).run();
}

}  // namespace tracciato
