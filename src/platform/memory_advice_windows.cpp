#include "platform/memory_advice.h"

namespace tracciato {

// Windows gives large pages only to privileged processes that reserve them up front.
void advise_huge_pages(const std::uint8_t* /*data*/, std::size_t /*size*/) {}

}  // namespace tracciato
