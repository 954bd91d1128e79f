#pragma once

#include <cstdint>
#include <string>

namespace tracciato::test_support {

// The longest route the compiler accepts.
inline constexpr std::int32_t kMaximalRoute = 1'000'000;
inline constexpr std::int32_t kShortestRoute = 10'000;

// A line and a train description that compile without error, CR LF text.
struct GeneratedScenario {
  std::string base_name;
  std::string train_number;
  std::string line;
  std::string train;

  // The names from which the compile command takes the base name and train number.
  std::string line_file_name() const { return base_name + "_linea.txt"; }
  std::string train_file_name() const { return base_name + "_" + train_number + "-.txt"; }
};

// A scenario over `route_length` metres (a multiple of 50 from kShortestRoute to
// kMaximalRoute) with the object densities of the maximal one: curves of every class over
// the whole route, a gradient row every 50 to 100 m, a board and a signal about every
// kilometre, a slowdown about every 3 km, a speed limit every few hundred metres. The
// counted objects (80 mountains, 25 stations, 53 signboards at 1000 km) shrink with the
// route. The same length always gives the same bytes.
GeneratedScenario generate_scenario(std::int32_t route_length);

}  // namespace tracciato::test_support
