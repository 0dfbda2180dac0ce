#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// Decoding of the program's own BMP assets into tightly packed pixel rows, bottom row
// first (the order OpenGL expects). Every size field is checked against the file, so a
// truncated or malformed file yields nothing instead of reads past its end.
namespace assets {

struct BmpPixels {
  int width = 0;
  int height = 0;
  int channels = 0;                 // 3: blue-green-red, 4: blue-green-red-alpha
  bool fromPalette = false;         // an 8-bit image expanded through its palette
  std::vector<std::uint8_t> data;   // width * height * channels bytes
};

// Skins and sprites: 8-bit (palette of the used-colour count, or 256 when that is 0, right
// after the information header, rows right after the palette), 24-bit or 32-bit, rows right
// after the information header. The file header's pixel offset is not used.
std::optional<BmpPixels> DecodeSkinBmp(std::span<const std::uint8_t> file);

// The background picture: 24-bit rows starting at the file header's pixel offset.
std::optional<BmpPixels> DecodeBackgroundBmp(std::span<const std::uint8_t> file);

// The whole file, or nothing when it cannot be read.
std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::string& path);

}  // namespace assets
