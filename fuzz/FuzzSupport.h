#pragma once
#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

// Shared pieces of the fuzz targets: one scratch directory per process (made on first use,
// removed at exit) and whole-file writes and reads.
namespace fuzz {

inline const std::string& ScratchDir() {
  // Never destroyed, so the clean-up at exit still finds the name.
  static const std::string* const dir = [] {
    std::string root = (std::filesystem::temp_directory_path() / "pelavo-fuzz-XXXXXX").string();
    if (!mkdtemp(root.data())) std::abort();
    auto* made = new std::string(root + "/");
    std::atexit([] {
      std::error_code ec;
      std::filesystem::remove_all(ScratchDir(), ec);
    });
    return made;
  }();
  return *dir;
}

inline void WriteFile(const std::string& path, const std::uint8_t* data, std::size_t size) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) std::abort();
  if (size > 0 && std::fwrite(data, 1, size, f) != size) std::abort();
  std::fclose(f);
}

inline std::string ReadFile(const std::string& path) {
  std::string text;
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return text;
  char buffer[4096];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
  std::fclose(f);
  return text;
}

// Stops the run with a message when an expectation about the component fails.
#define FUZZ_CHECK(cond)                                                              \
  do {                                                                                \
    if (!(cond)) {                                                                    \
      std::fprintf(stderr, "check failed: %s (%s:%d)\n", #cond, __FILE__, __LINE__); \
      std::abort();                                                                   \
    }                                                                                 \
  } while (0)

}  // namespace fuzz
