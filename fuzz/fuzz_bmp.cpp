// Both BMP decoders on arbitrary bytes: never a read past the buffer, and whatever they
// accept comes out as exactly width x height pixels of the stated channel count.
#include <cstddef>
#include <cstdint>
#include <span>

#include "assets/BmpDecoder.h"
#include "FuzzSupport.h"

namespace {
void CheckShape(const assets::BmpPixels& p) {
  FUZZ_CHECK(p.width > 0 && p.height > 0);
  FUZZ_CHECK(p.channels == 3 || p.channels == 4);
  FUZZ_CHECK(p.data.size() ==
             static_cast<std::size_t>(p.width) * static_cast<std::size_t>(p.height) * p.channels);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> file(data, size);
  if (const auto skin = assets::DecodeSkinBmp(file)) CheckShape(*skin);
  if (const auto back = assets::DecodeBackgroundBmp(file)) {
    CheckShape(*back);
    FUZZ_CHECK(back->channels == 3 && !back->fromPalette);
  }
  return 0;
}
