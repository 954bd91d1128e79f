#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/positions.h"
#include "model/scenario.h"

namespace tracciato {

// What the report shows of a compiled (or partly compiled) scenario, in route metres and
// UTF-8 texts.
struct StationMark {
  int record = 0;  // header record index, 1 upward
  std::string name;
  int kind = 0;
  std::int32_t position = 0;
  std::int32_t platform_start = 0;
  std::int32_t platform_end = 0;
  int stop = 0;                // stop duration
  std::int32_t departure = 0;  // seconds after midnight
};

// A signal with the values of its row, as its cell keeps them.
struct SignalMark {
  std::int32_t position = 0;
  int cell = 0;
  int left = 0;                        // the left-hand side's kind (sx), 0 for none
  int right = 0;                       // the right-hand side's kind (dx), 0 for none
  int ratio = 0;                       // rapp
  std::array<int, 3> left_aspects{};   // s1, s2, s3
  std::array<int, 3> right_aspects{};  // d1, d2, d3
  int timer = 0;
};

struct SlowdownMark {
  std::int32_t start = 0;
  std::int32_t end = 0;  // the start itself when the slowdown has no end cell
  int speed = 0;         // km/h
};

struct SignboardMark {
  std::int32_t position = 0;
  std::string text;
};

// A run of cells with one value: [start, end) in metres.
struct Stretch {
  std::int32_t start = 0;
  std::int32_t end = 0;
  int value = 0;
};

// The height of the track at a route position, in metres above the start.
struct Elevation {
  std::int32_t position = 0;
  double metres = 0;
};

// A curve as the line's geometry turns: [start, end) in metres, its class (1 to 6, 0 when
// its curvature is none of the classes') and its side.
struct CurveMark {
  std::int32_t start = 0;
  std::int32_t end = 0;
  int curve_class = 0;
  bool left = false;
  double curvature = 0;  // radians per metre, as measured
};

// A finding of the checker that names a route position.
struct FindingMark {
  std::int32_t position = 0;
  bool error = true;
  std::string text;  // its first line, UTF-8
};

struct ReportContent {
  std::string base_name;
  std::string train_number;
  std::int32_t route_length = 0;
  std::int32_t cars = 0;
  std::int32_t braked_mass = 0;  // per cent
  std::int32_t start_clock = 0;  // seconds after midnight
  std::int32_t cells_end = 0;    // where the last cell ends, 0 when no cell exists
  std::vector<StationMark> stations;
  std::vector<SignalMark> signals;
  std::vector<SlowdownMark> slowdowns;
  std::vector<SignboardMark> signboards;
  std::vector<Stretch> mountains;    // value: the kind of mountain stretch
  std::vector<Stretch> speed;        // value: line speed limit, km/h
  std::vector<Stretch> limit;        // value: the speed limit with each slowdown's dip, km/h
  std::vector<Stretch> gradient;     // value: per mille
  std::vector<Elevation> elevation;  // at the start and at each end of a gradient stretch
  std::vector<CurveMark> curves;
  LineKilometres kilometres{std::array<KilometricProgressive, 3>{}};
  std::optional<std::int32_t> error_position;
  std::vector<FindingMark> findings;  // filled by the page from the checker's list
};

ReportContent read_content(const Scenario& s);

// The height at each end of the gradient stretches, 0 at the first one's start.
std::vector<Elevation> integrate_gradients(const std::vector<Stretch>& gradient);

// The speed stretches cut down to each slowdown's speed over its span (one cell at least),
// where that speed is the lower.
std::vector<Stretch> dip_slowdowns(const std::vector<Stretch>& speed,
                                   const std::vector<SlowdownMark>& slowdowns);

// Where the line's kilometres say a route position is: "km 135+618", or "" when no
// progressive governs it.
std::string kilometre_text(const LineKilometres& k, std::int64_t route_metres);

}  // namespace tracciato
