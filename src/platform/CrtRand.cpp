#include "platform/CrtRand.h"

namespace crt {
namespace {
std::uint32_t g_state = 1;
}

int rand() {
  g_state = g_state * 214013u + 2531011u;
  return static_cast<int>((g_state >> 16) & 0x7FFF);
}

std::uint32_t randState() { return g_state; }
void setRandState(std::uint32_t state) { g_state = state; }

}  // namespace crt
