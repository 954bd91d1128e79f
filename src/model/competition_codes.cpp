#include "model/competition_codes.h"

#include "base/cp1252.h"
#include "model/error_codes.h"
#include "model/header_records.h"

namespace tracciato {

namespace {
constexpr const char* kCodeFiller = "aabbccddeeffgghhiillmmnnoo";
constexpr int kCodeLength = 25;
constexpr std::int16_t kHeaderStamp = 610;
constexpr std::int16_t kCellStamp = 5121;

std::string occupant_of_cell_1(const TrackCell& cell, std::int16_t value) {
  return std::string("the first 50 m of track, where ") + cell_type_name(cell.cell_type) +
         " already stores its own value (" + std::to_string(value) + ")";
}
}  // namespace

std::string stamp_refusal(const TrackCell& first, std::int32_t code) {
  if (code == error_code::kFormatStampTaken) {
    return "the format stamp goes in " + occupant_of_cell_1(first, first.cell_value);
  }
  return "the competition code goes in " + occupant_of_cell_1(first, first.cell_value_2);
}

std::string code_string(const ScenarioHeader& header) {
  std::string s = signalling_record(header).train_number + identity_record(header).base_name;
  for (char& c : s) c = static_cast<char>(cp1252_lower(static_cast<unsigned char>(c)));
  s += kCodeFiller;
  s.resize(kCodeLength);
  return s;
}

std::int16_t codice_gara_og(const ScenarioHeader& header) {
  std::int32_t sum = 0;
  for (const char c : code_string(header)) sum += static_cast<unsigned char>(c);
  return static_cast<std::int16_t>(sum);
}

std::int32_t codice_gara_st(const ScenarioHeader& header) {
  std::int32_t sum = 0;
  const std::string s = code_string(header);
  for (int i = 0; i < kCodeLength; ++i) sum += (i + 1) * static_cast<unsigned char>(s[i]);
  return sum;
}

void stamp_header(Scenario& scenario) {
  const auto identity = identity_record(scenario.header);
  TrackCell& first = scenario.cells.at(1);
  if (identity.format_stamp != 0 || first.cell_value != 0) {
    scenario.errors.record(error_code::kFormatStampTaken,
                           stamp_refusal(first, error_code::kFormatStampTaken));
    return;
  }
  identity.format_stamp = kHeaderStamp;
  first.cell_value = kCellStamp;
  if (identity.competition_code_st != 0 || first.cell_value_2 != 0) {
    scenario.errors.record(error_code::kCompetitionCodeTaken,
                           stamp_refusal(first, error_code::kCompetitionCodeTaken));
    return;
  }
  identity.competition_code_st = codice_gara_st(scenario.header);
  first.cell_value_2 = codice_gara_og(scenario.header);
}

}  // namespace tracciato
