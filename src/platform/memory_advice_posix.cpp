#include <sys/mman.h>
#include <unistd.h>

#include "platform/memory_advice.h"

namespace tracciato {

// Transparent huge pages, where they are on.
void advise_huge_pages(const std::uint8_t* data, std::size_t size) {
  const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
  const auto start = reinterpret_cast<std::uintptr_t>(data);
  const std::uintptr_t begin = (start + page - 1) / page * page;
  const std::uintptr_t end = (start + size) / page * page;
  // madvise wants a page-aligned address, which only integer arithmetic gives.
  if (end > begin) {
    ::madvise(reinterpret_cast<void*>(begin), end - begin,  // NOLINT(performance-no-int-to-ptr)
              MADV_HUGEPAGE);
  }
}

}  // namespace tracciato
