#include "WavWriter.h"

#include <fstream>

#include "Check.h"

namespace art {
namespace {

void put16(std::ofstream& out, uint16_t v) {
  const char b[2] = {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
  out.write(b, 2);
}
void put32(std::ofstream& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.put(static_cast<char>((v >> (8 * i)) & 0xFF));
}

}  // namespace

void writeWav16Mono(const std::string& path, const std::vector<int16_t>& samples, int sampleRate) {
  constexpr uint16_t kChannels = 1;
  constexpr uint16_t kBits = 16;
  const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * sizeof(int16_t));
  std::ofstream out(path, std::ios::binary);
  out.write("RIFF", 4);
  put32(out, 36 + dataBytes);
  out.write("WAVE", 4);
  out.write("fmt ", 4);
  put32(out, 16);
  put16(out, 1);  // PCM
  put16(out, kChannels);
  put32(out, static_cast<uint32_t>(sampleRate));
  put32(out, static_cast<uint32_t>(sampleRate) * kChannels * kBits / 8);
  put16(out, kChannels * kBits / 8);
  put16(out, kBits);
  out.write("data", 4);
  put32(out, dataBytes);
  for (int16_t s : samples) put16(out, static_cast<uint16_t>(s));
  require(static_cast<bool>(out), "cannot write " + path);
}

}  // namespace art
