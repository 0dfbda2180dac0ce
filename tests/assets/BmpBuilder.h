#pragma once
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

// Builds BMP files byte by byte for the loader tests, including deliberately broken ones.
struct BmpBuilder {
  int width = 1;
  int height = 1;           // negative: rows stored top row first
  int bitsPerPixel = 24;
  std::uint32_t compression = 0;
  std::uint32_t coloursUsed = 0;
  std::vector<std::uint8_t> palette;  // 4 bytes per entry: blue, green, red, 0
  std::vector<std::uint8_t> rows;     // as stored, rows padded to 4 bytes
  std::int64_t pixelOffsetOverride = -1;

  static void Put16(std::vector<std::uint8_t>& b, std::uint32_t v) {
    b.push_back(v & 0xFF);
    b.push_back((v >> 8) & 0xFF);
  }
  static void Put32(std::vector<std::uint8_t>& b, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back((v >> (8 * i)) & 0xFF);
  }
  static int Stride(int width, int bits) { return (width * bits + 31) / 32 * 4; }

  std::vector<std::uint8_t> Bytes() const {
    std::vector<std::uint8_t> b{'B', 'M'};
    const std::uint32_t offset = static_cast<std::uint32_t>(
        pixelOffsetOverride >= 0 ? pixelOffsetOverride : 54 + palette.size());
    Put32(b, static_cast<std::uint32_t>(54 + palette.size() + rows.size()));
    Put32(b, 0);
    Put32(b, offset);
    Put32(b, 40);
    Put32(b, static_cast<std::uint32_t>(width));
    Put32(b, static_cast<std::uint32_t>(height));
    Put16(b, 1);
    Put16(b, static_cast<std::uint32_t>(bitsPerPixel));
    Put32(b, compression);
    Put32(b, static_cast<std::uint32_t>(rows.size()));
    Put32(b, 2835);
    Put32(b, 2835);
    Put32(b, coloursUsed);
    Put32(b, 0);
    b.insert(b.end(), palette.begin(), palette.end());
    b.insert(b.end(), rows.begin(), rows.end());
    return b;
  }

  void Save(const std::string& path) const { SaveBytes(path, Bytes()); }

  static void SaveBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }

  // A 24-bit image whose pixel (x, y) (y counted from the bottom) is colour(x, y) as
  // blue-green-red.
  template <typename Colour>
  static BmpBuilder Rgb24(int width, int height, Colour colour) {
    BmpBuilder bmp;
    bmp.width = width;
    bmp.height = height;
    const int stride = Stride(width, 24);
    bmp.rows.assign(static_cast<std::size_t>(stride) * height, 0);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        const auto c = colour(x, y);
        std::uint8_t* p = &bmp.rows[static_cast<std::size_t>(y) * stride + x * 3];
        p[0] = c[0];
        p[1] = c[1];
        p[2] = c[2];
      }
    return bmp;
  }
};
