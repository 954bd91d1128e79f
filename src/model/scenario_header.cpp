#include "model/scenario_header.h"

#include "base/unexpected_failure.h"

namespace tracciato {

void ScenarioHeader::clear() {
  records_.fill(HeaderRecord{});
}

HeaderRecord& ScenarioHeader::at(std::int64_t i) {
  return const_cast<HeaderRecord&>(static_cast<const ScenarioHeader&>(*this).at(i));
}

const HeaderRecord& ScenarioHeader::at(std::int64_t i) const {
  if (i < 0 || i >= kRecords) {
    UnexpectedFailure failure(
        "the scenario's texts run out of header records: too many signboards or stations");
    failure.note = "header record " + std::to_string(i) + " lies outside the records 0 to 86";
    throw failure;
  }
  return records_[static_cast<std::size_t>(i)];
}

}  // namespace tracciato
