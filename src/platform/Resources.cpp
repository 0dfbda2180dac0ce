#include "platform/Resources.h"

namespace res {

std::optional<Resource> FindResource(Type type, int id) {
  for (std::size_t i = 0; i < kTableSize; ++i) {
    const TableEntry& e = kTable[i];
    if (e.type == type && e.id == id)
      return Resource{e.data, static_cast<std::size_t>(e.end - e.data), e.hotX, e.hotY};
  }
  return std::nullopt;
}

}  // namespace res
