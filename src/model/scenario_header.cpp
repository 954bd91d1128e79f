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
    throw UnexpectedFailure("header record " + std::to_string(i) + " lies outside 0 to 86");
  }
  return records_[static_cast<std::size_t>(i)];
}

}  // namespace tracciato
