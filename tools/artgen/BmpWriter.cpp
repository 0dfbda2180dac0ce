#include <cstdint>
#include <fstream>
#include <vector>

#include "Check.h"
#include "ImageFiles.h"

namespace art {
namespace {

constexpr int kFileHeaderBytes = 14;
constexpr int kInfoHeaderBytes = 40;
constexpr int kPixelsPerMetre = 2835;  // 72 dpi

void put16(std::vector<unsigned char>& out, uint16_t v) {
  out.push_back(v & 0xFF);
  out.push_back(v >> 8);
}
void put32(std::vector<unsigned char>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back((v >> (8 * i)) & 0xFF);
}

}  // namespace

void writeBmp24(const std::string& path, const Raster& image) {
  require(image.width() % 4 == 0, path + ": BMP width must be a multiple of 4");
  const uint32_t imageBytes = static_cast<uint32_t>(image.width()) * image.height() * 3;
  const uint32_t offset = kFileHeaderBytes + kInfoHeaderBytes;
  std::vector<unsigned char> out;
  out.reserve(offset + imageBytes);
  out.push_back('B');
  out.push_back('M');
  put32(out, offset + imageBytes);
  put32(out, 0);
  put32(out, offset);
  put32(out, kInfoHeaderBytes);
  put32(out, static_cast<uint32_t>(image.width()));
  put32(out, static_cast<uint32_t>(image.height()));  // positive: bottom-up rows
  put16(out, 1);
  put16(out, 24);
  put32(out, 0);  // no compression
  put32(out, imageBytes);
  put32(out, kPixelsPerMetre);
  put32(out, kPixelsPerMetre);
  put32(out, 0);
  put32(out, 0);
  for (int y = image.height() - 1; y >= 0; --y)
    for (int x = 0; x < image.width(); ++x) {
      const Rgba& c = image.at(x, y);
      out.push_back(toByte(c.b));
      out.push_back(toByte(c.g));
      out.push_back(toByte(c.r));
    }
  require(out.size() == offset + imageBytes, path + ": BMP size");
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
  require(static_cast<bool>(file), "cannot write " + path);
}

}  // namespace art
