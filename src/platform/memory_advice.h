#pragma once

#include <cstddef>
#include <cstdint>

namespace tracciato {

// Asks for huge pages under a long buffer about to be written, sparing it a page fault
// per small page. Only a hint: where the system has none, nothing changes.
void advise_huge_pages(const std::uint8_t* data, std::size_t size);

}  // namespace tracciato
