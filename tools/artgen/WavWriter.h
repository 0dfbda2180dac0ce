#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace art {

// 16-bit PCM mono WAV with the canonical 44-byte header.
void writeWav16Mono(const std::string& path, const std::vector<int16_t>& samples, int sampleRate);

}  // namespace art
