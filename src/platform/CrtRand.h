#pragma once
#include <cstdint>

// The program's only source of randomness: the classic C runtime generator
// (state = state * 214013 + 2531011, result bits 16..30). It starts at 1 and the
// program never seeds it, so every run draws the same sequence.
namespace crt {

inline constexpr int kRandMax = 0x7FFF;

int rand();

// For tests and tools: read or set the generator's state.
std::uint32_t randState();
void setRandState(std::uint32_t state);

}  // namespace crt
