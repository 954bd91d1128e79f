#include "testing/scenario_generator.h"

#include <algorithm>
#include <array>
#include <functional>
#include <initializer_list>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace tracciato::test_support {

namespace {

constexpr std::int32_t kCellLength = 50;
constexpr std::int32_t kRouteMargin = 7000;
// Counts at the maximal route.
constexpr std::int64_t kMountains = 80;
constexpr std::int64_t kStations = 25;
constexpr std::int64_t kSignboards = 53;

// SplitMix64 with plain modulo: the same numbers with every standard library, which the
// standard distributions do not promise.
class Sequence {
 public:
  explicit Sequence(std::uint64_t seed) : state_(seed) {}

  std::int32_t between(std::int32_t low, std::int32_t high) {
    const auto span = static_cast<std::uint64_t>(high - low) + 1;
    return low + static_cast<std::int32_t>(next() % span);
  }
  // `low` plus a multiple of `step`, at most `high`.
  std::int32_t step_between(std::int32_t low, std::int32_t high, std::int32_t step) {
    return low + step * between(0, (high - low) / step);
  }
  template <typename T, std::size_t N>
  T pick(const std::array<T, N>& choices) {
    return choices[next() % N];
  }

 private:
  std::uint64_t next() {
    state_ += 0x9E3779B97F4A7C15u;
    std::uint64_t z = state_;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    return z ^ (z >> 31);
  }
  std::uint64_t state_;
};

std::int32_t scaled(std::int64_t at_maximal, std::int32_t route) {
  return static_cast<std::int32_t>((at_maximal * route + kMaximalRoute / 2) / kMaximalRoute);
}

std::int32_t aligned(std::int64_t position) {
  return static_cast<std::int32_t>(position / kCellLength * kCellLength);
}

// The cell of an object standing at a multiple of 50 m.
constexpr std::int32_t cell_of(std::int32_t position) {
  return position / kCellLength + 1;
}

// Cells an object takes, and cells that must stay clear of objects so that the code pass
// finds room for its markers.
struct Footprint {
  std::vector<std::int32_t> held;
  std::vector<std::int32_t> kept;
};

Footprint point_object(std::int32_t position) {
  return {{cell_of(position)}, {}};
}

// The code pass marks one of the two cells before a signal.
Footprint signal_footprint(std::int32_t position) {
  const std::int32_t s = cell_of(position);
  return {{s}, {s - 1, s - 2}};
}

struct Slowdown {
  std::int32_t x = 0;
  std::int32_t speed = 0;
  std::int32_t length = 0;
  std::int32_t advance = 0;  // f_ta: four advance cells before the warning cell
};

// Warning, advance, start and end cells; the approach bands and the cells through the
// slowdown stay clear for the code markers.
Footprint slowdown_footprint(const Slowdown& s) {
  const std::int32_t a = cell_of(s.x);
  const std::int32_t e = cell_of(s.x + s.length);
  const std::int32_t w = cell_of(s.x - 1200);
  Footprint f{{w, a, e}, {}};
  for (std::int32_t i = 1; i <= 4 && s.advance != 0; ++i) f.held.push_back(w - i);
  for (std::int32_t i = a - 20; i <= a - 5; ++i) f.kept.push_back(i);
  for (std::int32_t i = a + 1; i < e; ++i) f.kept.push_back(i);
  return f;
}

// What the generator has promised each track cell.
class CellPlan {
 public:
  explicit CellPlan(std::int32_t route)
      : state_(static_cast<std::size_t>((route + kRouteMargin) / kCellLength) + 1, kOpen) {}

  bool fits(const Footprint& f) const {
    return std::ranges::all_of(f.held, [this](std::int32_t i) { return state(i) == kOpen; }) &&
           std::ranges::all_of(f.kept, [this](std::int32_t i) { return state(i) != kHeld; });
  }
  void take(const Footprint& f) {
    for (const std::int32_t i : f.held) state_.at(static_cast<std::size_t>(i)) = kHeld;
    for (const std::int32_t i : f.kept) {
      if (state(i) == kOpen) state_.at(static_cast<std::size_t>(i)) = kKept;
    }
  }

 private:
  enum State : std::uint8_t { kOpen, kKept, kHeld };
  // Cell 1 carries the stamp and the pass never visits the last cells: neither is offered.
  State state(std::int32_t i) const {
    const auto at = static_cast<std::size_t>(i);
    return i > 1 && at + 3 < state_.size() ? state_[at] : kHeld;
  }
  std::vector<State> state_;
};

// Rows of one description: "keyword,  value,  value" and CR LF.
class Rows {
 public:
  void line(std::string_view text) {
    out_ += text;
    out_ += "\r\n";
  }
  void row(std::string_view keyword, std::initializer_list<std::int32_t> values,
           std::string_view tail = {}) {
    out_ += keyword;
    for (const std::int32_t v : values) {
      out_ += ",  ";
      out_ += std::to_string(v);
    }
    if (!tail.empty()) {
      out_ += ",  ";
      out_ += tail;
    }
    out_ += "\r\n";
  }
  std::string take() { return std::move(out_); }

 private:
  std::string out_;
};

struct Station {
  std::int32_t position = 0;
  std::int32_t kind = 0;
  std::int32_t length = 0;
  std::int32_t extension = 0;  // 50 m more platform
  std::int32_t stop = 0;       // seconds
  std::string name;
};

// Where the compile puts the platform end, the station marker being the cell before it.
std::int32_t platform_end(const Station& s) {
  if (s.kind == 6) return s.position + 150;
  if (s.kind == 7) return s.position + s.length;
  return s.position + s.length / 2 + 50 * s.extension;
}

bool passing(const Station& s) {
  return s.kind == 21 || s.kind == 22 || s.kind == 26;
}

class Generator {
 public:
  explicit Generator(std::int32_t route) : route_(route), plan_(route) {}

  GeneratedScenario run();

 private:
  void line_general();
  void curves();
  void gradients();
  void mountains();
  void train_general();
  void speed_limits();
  void stations();
  Station middle_station(int n, int count);
  void station_row(const Station& s);
  void slowdowns();
  void signals();
  void signal_row(std::int32_t position);
  void boards();
  void board_row(std::int32_t position);
  void signboards();
  std::optional<std::int32_t> place(std::int32_t from, std::int32_t to,
                                    const std::function<Footprint(std::int32_t)>& footprint);

  std::int32_t route_;
  CellPlan plan_;
  Rows line_;
  Rows train_;
  Sequence random_{20140};
};

GeneratedScenario Generator::run() {
  line_general();
  curves();
  gradients();
  mountains();
  train_general();
  speed_limits();
  // Train objects take their cells before the boards and signboards, which can move more
  // freely; each description still lists its rows in its own section order.
  stations();
  slowdowns();
  signals();
  boards();
  signboards();
  for (Rows* rows : {&line_, &train_}) rows->line("[fine]");
  return {"Massimale", "9001", line_.take(), train_.take()};
}

// The first multiple of 50 from `from` up to `to` whose footprint fits; its cells are taken.
std::optional<std::int32_t> Generator::place(
    std::int32_t from, std::int32_t to, const std::function<Footprint(std::int32_t)>& footprint) {
  for (std::int32_t p = from; p <= to; p += kCellLength) {
    const Footprint f = footprint(p);
    if (!plan_.fits(f)) continue;
    plan_.take(f);
    return p;
  }
  return std::nullopt;
}

void Generator::line_general() {
  line_.line("[generale]");
  line_.row("lunghezza percorso", {route_});
  line_.row("progressiva chilometrica uno", {0, route_ + 1350, 1});
  line_.row("progressiva chilometrica due", {0, 0, 0});
  line_.row("progressiva chilometrica tre", {0, 0, 0});
  line_.row("sfondo uno", {78300});
  line_.row("sfondo due", {1});
  line_.row("sfondo tre", {26800});
  line_.row("ripetizione segnali 4 codici", {0, 0});
}

// Classes 1 to 6 in turn on either side; every curve ends before the geometry's last
// point that a curve may reach.
void Generator::curves() {
  line_.line("[curve]");
  std::int32_t start = 200;
  for (int i = 0;; ++i) {
    const std::int32_t length = random_.step_between(100, 700, 50);
    if (start + length > route_ - 1000) return;
    const char side = random_.between(0, 1) == 0 ? 's' : 'd';
    const std::string keyword = std::string("curva") + side + static_cast<char>('1' + i % 6);
    line_.row(keyword, {start, length});
    start += length + random_.step_between(100, 800, 50);
  }
}

void Generator::gradients() {
  line_.line("[pendenze]");
  std::int32_t gradient = 0;
  for (std::int32_t p = 0; p <= route_; p += random_.pick(std::array{50, 100})) {
    line_.row("pendenza", {p, gradient});
    gradient = std::clamp(gradient + random_.between(-4, 4), -30, 30);
  }
}

void Generator::mountains() {
  line_.line("[montagne]");
  const std::int32_t count = std::max(1, scaled(kMountains, route_));
  const std::int32_t spacing = route_ / count;
  for (std::int32_t i = 0; i < count; ++i) {
    const std::int32_t start =
        aligned(std::int64_t{i} * spacing + random_.between(100, spacing / 3));
    const std::int32_t length = random_.step_between(100, std::min(1100, spacing / 2), 50);
    line_.row("montagna", {start, start + length, random_.pick(std::array{2, 11, 12})});
  }
}

void Generator::train_general() {
  train_.line("[generale]");
  train_.row("numero vetture", {4});
  train_.row("percentuale massa frenata", {105});
  train_.row("sabbia", {100});
  train_.row("orologio", {}, "14    10    0 ");
  train_.line("[aderenze]");
  train_.row("aderenza", {0, 100});
}

void Generator::speed_limits() {
  train_.line("[vel_limite]");
  for (std::int32_t p = 0; p <= route_; p += random_.step_between(200, 500, 50)) {
    train_.row("velocita", {p, random_.step_between(30, 160, 5)});
  }
}

// The first station at 0, the last 1000 m beyond the route length, the others evenly
// between: always far more than 350 m apart.
void Generator::stations() {
  train_.line("[stazioni]");
  const int count = static_cast<int>(2 + scaled(kStations - 2, route_));
  station_row({0, 7, 300, 0, 1, "ORIGINE"});
  for (int n = 2; n < count; ++n) station_row(middle_station(n, count));
  station_row({route_ + 1000, 6, 800, 0, 0, "CAPOLINEA"});
}

Station Generator::middle_station(int n, int count) {
  Station s;
  s.position = aligned(std::int64_t{route_} * (n - 1) / (count - 1));
  s.kind = random_.pick(std::array{2, 11, 12, 21, 22, 26});
  s.length = random_.step_between(200, 700, 100);
  s.extension = random_.between(0, 1);
  s.stop = passing(s) ? 0 : random_.pick(std::array{50, 60});
  s.name = "FERMATA " + std::to_string(n);
  return s;
}

void Generator::station_row(const Station& s) {
  if (s.kind < 25) plan_.take({{platform_end(s) / kCellLength - 1}, {}});
  // About 120 km/h from 14:10.
  const std::int32_t time = passing(s) ? 0 : 14 * 3600 + 10 * 60 + s.position * 3 / 100;
  train_.row("stazione",
             {s.position, s.kind, s.length, s.position == 0 ? 1 : 0, s.length >= 600 ? 1 : 0,
              s.extension, 3, 1, 0, 2, 1, 1, s.stop, time / 3600, time / 60 % 60, time % 60},
             s.name);
}

// About every 3 km, at least 2100 m after the previous end, so that the markers of one
// slowdown never crowd those of the next.
void Generator::slowdowns() {
  train_.line("[rallentamenti]");
  std::int32_t previous_end = 0;
  for (std::int32_t target = 3000; target + 1100 <= route_; target += 3000) {
    Slowdown s;
    s.speed = random_.pick(std::array{30, 40, 50, 60, 80, 100, 110, 120});
    s.length = random_.step_between(100, 600, 50);
    s.advance = random_.between(0, 1);
    const std::int32_t from =
        std::max(target + random_.step_between(-250, 250, 50), previous_end + 2100);
    const auto x = place(from, std::min(from + 1000, route_ - 500 - s.length), [&](std::int32_t p) {
      s.x = p;
      return slowdown_footprint(s);
    });
    if (!x) continue;
    s.x = *x;
    previous_end = s.x + s.length;
    train_.row("rallentamento", {s.x, s.speed, s.length, 1, s.advance, 0});
  }
}

void Generator::signals() {
  train_.line("[segnali]");
  for (std::int32_t target = 1000; target + 200 <= route_; target += 1000) {
    const std::int32_t from = target + random_.step_between(-200, 200, 50);
    if (const auto p = place(from, from + 1950, signal_footprint)) signal_row(*p);
  }
}

void Generator::signal_row(std::int32_t position) {
  const std::int32_t sx = random_.between(1, 2);
  const std::int32_t dx = random_.between(0, 2);
  const auto right = [&] { return dx == 0 ? 0 : random_.between(0, 3); };
  train_.row("segnale",
             {position, sx, random_.between(1, 4), random_.between(0, 3), random_.between(0, 1), 0,
              dx, right(), right(), right(), random_.pick(std::array{0, 0, 0, 0, 0, 0, 50, 235})});
}

void Generator::boards() {
  line_.line("[cartelli]");
  for (std::int32_t target = 500; target + 200 <= route_; target += 1000) {
    const std::int32_t from = target + random_.step_between(-200, 200, 50);
    if (const auto p = place(from, from + 1950, point_object)) board_row(*p);
  }
}

// Half the boards have no right-hand side: its fields are left empty.
void Generator::board_row(std::int32_t position) {
  const std::int32_t a = random_.step_between(30, 140, 5);
  const std::int32_t b = a + random_.step_between(0, 20, 5);
  const std::int32_t c = b + random_.step_between(0, 20, 5);
  const std::int32_t stripes = random_.between(0, 2);
  if (random_.between(0, 1) == 0) {
    line_.row("indicatori_vmax", {position, a, b, c, stripes}, ",  ,  ,  0");
  } else {
    line_.row("indicatori_vmax", {position, a, b, c, stripes, a + 5, b + 5, c + 5, 1});
  }
}

void Generator::signboards() {
  line_.line("[indicazioni]");
  static constexpr std::array<std::string_view, 5> kTexts = {"(F)", "(Sottovia)", "(Fine Ponte)",
                                                             "(Galleria)", "(Prot. )(2 P.L.)"};
  const std::int32_t count = scaled(kSignboards, route_);
  if (count == 0) return;
  const std::int32_t spacing = route_ / count;
  for (std::int32_t i = 0; i < count; ++i) {
    const std::int32_t from = aligned(std::int64_t{i} * spacing + spacing / 2);
    const auto p = place(from, from + spacing / 2, point_object);
    if (!p) throw std::logic_error("no free cell for a signboard");
    line_.row("cartello_indicatore", {*p}, kTexts[static_cast<std::size_t>(i) % kTexts.size()]);
  }
}

}  // namespace

GeneratedScenario generate_scenario(std::int32_t route_length) {
  if (route_length < kShortestRoute || route_length > kMaximalRoute ||
      route_length % kCellLength != 0) {
    throw std::invalid_argument("the route length must be a multiple of 50 from 10000 to 1000000");
  }
  return Generator(route_length).run();
}

}  // namespace tracciato::test_support
