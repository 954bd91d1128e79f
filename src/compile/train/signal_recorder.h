#pragma once

#include <cstdint>

#include "model/scenario.h"

namespace tracciato {

// The eleven values of a signal row.
struct SignalRow {
  std::int32_t posizione = 0;
  std::int32_t sx = 0, s1 = 0, s2 = 0, s3 = 0, rapp = 0;
  std::int32_t dx = 0, d1 = 0, d2 = 0, d3 = 0, tempo = 0;
};

// Places a signal in cell posizione / 50 + 1 with its aspect values, timer and the approach
// marks 100 to 400 m before it. Records 16 when the cell is taken.
void memo_segnale(Scenario& scenario, const SignalRow& row);

}  // namespace tracciato
