#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

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

struct SignalMark {
  std::int32_t position = 0;
  int cell = 0;
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
  std::vector<Stretch> mountains;  // value: the kind of mountain stretch
  std::vector<Stretch> speed;      // value: line speed limit, km/h
  std::vector<Stretch> gradient;   // value: per mille
  std::optional<std::int32_t> error_position;
};

ReportContent read_content(const Scenario& s);

}  // namespace tracciato
