#include "assets/Unpack.h"

#include <cstdio>
#include <cstdint>
#include <memory>

#include "platform/Resources.h"
#include "platform/ScrambleKey.h"

namespace assets {

namespace {
constexpr const char* kScrambledExt = ".ad";
constexpr const char* kImageExt = ".bmp";
constexpr const char* kSoundExt = ".wav";
constexpr const char* kSoundBaseName = "Music";
constexpr std::size_t kChunkBytes = 64 * 1024;

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

bool WriteBytes(const std::string& path, const unsigned char* data, std::size_t size) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool written = size == 0 || std::fwrite(data, 1, size, f) == size;
  const bool closed = std::fclose(f) == 0;
  return written && closed;
}

// Copies in to out adding the key; false on any read or write error.
bool UnscrambleStream(std::FILE* in, std::FILE* out) {
  const auto key = res::scrambleKey();
  unsigned char buffer[kChunkBytes];
  std::uint64_t k = 0;
  for (;;) {
    const std::size_t n = std::fread(buffer, 1, sizeof buffer, in);
    for (std::size_t i = 0; i < n; ++i) {
      ++k;
      buffer[i] = static_cast<unsigned char>(buffer[i] + key[k % res::kScrambleKeyLength]);
    }
    if (n > 0 && std::fwrite(buffer, 1, n, out) != n) return false;
    if (n < sizeof buffer) return !std::ferror(in);
  }
}
}  // namespace

std::string ScrambledPath(const std::string& dir, const std::string& baseName) {
  return dir + baseName + kScrambledExt;
}

std::string UnpackedPath(const std::string& dir, const std::string& baseName) {
  return dir + baseName + (baseName == kSoundBaseName ? kSoundExt : kImageExt);
}

bool UnscrambleFile(const std::string& in, const std::string& out) {
  File input(std::fopen(in.c_str(), "rb"));
  if (!input) return false;
  std::FILE* output = std::fopen(out.c_str(), "wb");
  if (!output) return false;
  const bool copied = UnscrambleStream(input.get(), output);
  const bool closed = std::fclose(output) == 0;
  if (copied && closed) return true;
  std::remove(out.c_str());
  return false;
}

bool Unpack(int id, const std::string& dir, const std::string& baseName) {
  const auto resource = res::FindResource(res::Type::Rcad, id);
  if (!resource) return false;
  const std::string scrambled = ScrambledPath(dir, baseName);
  if (!WriteBytes(scrambled, resource->data, resource->size)) return false;
  return UnscrambleFile(scrambled, UnpackedPath(dir, baseName));
}

void DeleteUnpacked(const std::string& dir, const std::string& baseName) {
  std::remove(ScrambledPath(dir, baseName).c_str());
  std::remove(UnpackedPath(dir, baseName).c_str());
}

}  // namespace assets
