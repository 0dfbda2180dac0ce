// Unscrambling a file made from the input gives exactly as many bytes, each the input byte
// plus its key entry; unpacking a resource chosen by the input either writes both files
// in full or reports failure.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "assets/Unpack.h"
#include "platform/Resources.h"
#include "platform/ScrambleKey.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string& dir = fuzz::ScratchDir();
  const std::string in = dir + "in.ad";
  const std::string out = dir + "out.bmp";
  fuzz::WriteFile(in, data, size);
  FUZZ_CHECK(assets::UnscrambleFile(in, out));
  const std::string plain = fuzz::ReadFile(out);
  FUZZ_CHECK(plain.size() == size);
  const auto key = res::scrambleKey();
  for (std::size_t i = 0; i < size; ++i)
    FUZZ_CHECK(static_cast<std::uint8_t>(plain[i]) ==
               static_cast<std::uint8_t>(data[i] + key[(i + 1) % res::kScrambleKeyLength]));

  // The first two bytes pick a resource id, any id at all.
  if (size >= 2) {
    const int id = static_cast<std::int16_t>(data[0] | data[1] << 8);
    const std::string base = size > 2 && (data[2] & 1) ? "Music" : "Skin";
    const auto resource = res::FindResource(res::Type::Rcad, id);
    const bool unpacked = assets::Unpack(id, dir, base);
    FUZZ_CHECK(unpacked == resource.has_value());
    if (unpacked) {
      FUZZ_CHECK(fuzz::ReadFile(assets::ScrambledPath(dir, base)).size() == resource->size);
      FUZZ_CHECK(fuzz::ReadFile(assets::UnpackedPath(dir, base)).size() == resource->size);
    }
    assets::DeleteUnpacked(dir, base);
  }
  return 0;
}
