#include "assets/BmpDecoder.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace assets {

namespace {
constexpr std::size_t kFileHeaderBytes = 14;
constexpr std::size_t kMinFileBytes = 15;
constexpr std::uint32_t kInfoHeaderBytes = 40;
constexpr std::size_t kMaskBytes = 12;          // red, green, blue masks of bit-field images
constexpr std::size_t kPaletteEntryBytes = 4;   // blue, green, red, unused
constexpr std::uint32_t kMaxPaletteEntries = 256;
constexpr std::int64_t kMaxSide = 16384;        // larger sides are taken as a broken header
constexpr std::uint32_t kCompressionNone = 0;
constexpr std::uint32_t kCompressionBitFields = 3;
constexpr std::uint32_t kRedMask = 0x00FF0000u, kGreenMask = 0x0000FF00u, kBlueMask = 0x000000FFu;

std::uint16_t U16(std::span<const std::uint8_t> f, std::size_t at) {
  return static_cast<std::uint16_t>(f[at] | f[at + 1] << 8);
}
std::uint32_t U32(std::span<const std::uint8_t> f, std::size_t at) {
  return static_cast<std::uint32_t>(f[at]) | static_cast<std::uint32_t>(f[at + 1]) << 8 |
         static_cast<std::uint32_t>(f[at + 2]) << 16 | static_cast<std::uint32_t>(f[at + 3]) << 24;
}

struct Header {
  std::uint32_t pixelOffset;
  std::uint32_t infoSize;
  std::int64_t width;
  std::int64_t height;  // rows, always positive
  bool topDown;
  int bitsPerPixel;
  std::uint32_t compression;
  std::uint32_t coloursUsed;
};

// The file and information headers, when present and sane.
std::optional<Header> ReadHeader(std::span<const std::uint8_t> f) {
  if (f.size() < kMinFileBytes || f[0] != 'B' || f[1] != 'M') return std::nullopt;
  if (f.size() < kFileHeaderBytes + kInfoHeaderBytes) return std::nullopt;
  Header h{};
  h.pixelOffset = U32(f, 10);
  h.infoSize = U32(f, 14);
  h.width = static_cast<std::int32_t>(U32(f, 18));
  const std::int64_t height = static_cast<std::int32_t>(U32(f, 22));
  h.bitsPerPixel = U16(f, 28);
  h.compression = U32(f, 30);
  h.coloursUsed = U32(f, 46);
  if (h.infoSize < kInfoHeaderBytes || h.infoSize > f.size() - kFileHeaderBytes) return std::nullopt;
  h.topDown = height < 0;
  h.height = h.topDown ? -height : height;
  if (h.width <= 0 || h.width > kMaxSide || h.height <= 0 || h.height > kMaxSide) return std::nullopt;
  return h;
}

std::size_t RowStride(const Header& h) {
  return static_cast<std::size_t>((h.width * h.bitsPerPixel + 31) / 32 * 4);
}

bool Fits(std::span<const std::uint8_t> f, std::size_t start, std::size_t bytes) {
  return start <= f.size() && bytes <= f.size() - start;
}

// Copies the rows starting at `rows` into tight rows, bottom row first. `expand` turns one
// source pixel into out.channels bytes.
template <typename Expand>
void CopyRows(std::span<const std::uint8_t> f, const Header& h, std::size_t rows, BmpPixels& out,
              Expand expand) {
  const std::size_t stride = RowStride(h);
  const std::size_t srcPixel = static_cast<std::size_t>(h.bitsPerPixel / 8);
  const std::size_t dstRow = static_cast<std::size_t>(h.width) * out.channels;
  out.data.resize(dstRow * static_cast<std::size_t>(h.height));
  for (std::int64_t y = 0; y < h.height; ++y) {
    const std::int64_t srcY = h.topDown ? h.height - 1 - y : y;
    const std::uint8_t* src = f.data() + rows + static_cast<std::size_t>(srcY) * stride;
    std::uint8_t* dst = out.data.data() + static_cast<std::size_t>(y) * dstRow;
    for (std::int64_t x = 0; x < h.width; ++x, src += srcPixel, dst += out.channels)
      expand(src, dst);
  }
}

bool StandardMasks(std::span<const std::uint8_t> f) {
  const std::size_t at = kFileHeaderBytes + kInfoHeaderBytes;
  return Fits(f, at, kMaskBytes) && U32(f, at) == kRedMask && U32(f, at + 4) == kGreenMask &&
         U32(f, at + 8) == kBlueMask;
}
}  // namespace

std::optional<BmpPixels> DecodeSkinBmp(std::span<const std::uint8_t> f) {
  const auto h = ReadHeader(f);
  if (!h) return std::nullopt;
  std::size_t start = kFileHeaderBytes + h->infoSize;
  if (h->bitsPerPixel != 8 && h->bitsPerPixel != 24 && h->bitsPerPixel != 32) return std::nullopt;
  if (h->compression == kCompressionBitFields && h->bitsPerPixel == 32 && StandardMasks(f)) {
    if (h->infoSize == kInfoHeaderBytes) start += kMaskBytes;  // masks follow the short header
  } else if (h->compression != kCompressionNone) {
    return std::nullopt;
  }

  BmpPixels out;
  out.width = static_cast<int>(h->width);
  out.height = static_cast<int>(h->height);
  const std::size_t stride = RowStride(*h);
  if (h->bitsPerPixel == 8) {
    const std::uint32_t entries = h->coloursUsed == 0 ? kMaxPaletteEntries : h->coloursUsed;
    if (entries > kMaxPaletteEntries) return std::nullopt;
    const std::size_t paletteBytes = entries * kPaletteEntryBytes;
    if (!Fits(f, start, paletteBytes)) return std::nullopt;
    const std::uint8_t* palette = f.data() + start;
    const std::size_t rows = start + paletteBytes;
    if (!Fits(f, rows, stride * static_cast<std::size_t>(h->height))) return std::nullopt;
    out.channels = 3;
    out.fromPalette = true;
    CopyRows(f, *h, rows, out, [&](const std::uint8_t* s, std::uint8_t* d) {
      if (*s < entries) {
        std::memcpy(d, palette + *s * kPaletteEntryBytes, 3);
      } else {  // an index past the used colours reads as black
        d[0] = d[1] = d[2] = 0;
      }
    });
    return out;
  }
  if (!Fits(f, start, stride * static_cast<std::size_t>(h->height))) return std::nullopt;
  out.channels = h->bitsPerPixel / 8;
  const int channels = out.channels;
  CopyRows(f, *h, start, out,
           [channels](const std::uint8_t* s, std::uint8_t* d) { std::memcpy(d, s, channels); });
  return out;
}

std::optional<BmpPixels> DecodeBackgroundBmp(std::span<const std::uint8_t> f) {
  const auto h = ReadHeader(f);
  if (!h || h->bitsPerPixel != 24 || h->compression != kCompressionNone) return std::nullopt;
  if (h->pixelOffset < kFileHeaderBytes + h->infoSize) return std::nullopt;
  if (!Fits(f, h->pixelOffset, RowStride(*h) * static_cast<std::size_t>(h->height)))
    return std::nullopt;
  BmpPixels out;
  out.width = static_cast<int>(h->width);
  out.height = static_cast<int>(h->height);
  out.channels = 3;
  CopyRows(f, *h, h->pixelOffset, out,
           [](const std::uint8_t* s, std::uint8_t* d) { std::memcpy(d, s, 3); });
  return out;
}

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::string& path) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
  std::FILE* in = std::fopen(path.c_str(), "rb");
  if (!in) return std::nullopt;
  std::vector<std::uint8_t> bytes;
  std::uint8_t buffer[64 * 1024];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, in)) > 0) bytes.insert(bytes.end(), buffer, buffer + n);
  const bool failed = std::ferror(in);
  std::fclose(in);
  if (failed) return std::nullopt;
  return bytes;
}

}  // namespace assets
