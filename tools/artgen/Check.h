#pragma once
#include <stdexcept>
#include <string>

namespace art {

// Every invariant of the generated files goes through here; a broken one stops the run.
inline void require(bool condition, const std::string& what) {
  if (!condition) throw std::runtime_error("artgen: invariant broken: " + what);
}

inline bool isPowerOfTwo(int v) { return v > 0 && (v & (v - 1)) == 0; }

}  // namespace art
