#pragma once
#include <memory>
#include <optional>
#include <string>

// A general picture decoder (JPEG, baseline and progressive; PNG, 8 and 16 bits; BMP, every
// header version) for the user's own pictures, independent of the texture library's own.
namespace assets {

struct PictureSize {
  int width = 0;
  int height = 0;
};

struct DecodedPicture {
  int width = 0;
  int height = 0;
  int channels = 0;  // 1 grey, 2 grey-alpha, 3 RGB, 4 RGBA; 8 bits each, top row first
  std::unique_ptr<unsigned char, void (*)(void*)> pixels{nullptr, nullptr};
};

// The picture's size from its header, or nothing when no decoder knows the file.
std::optional<PictureSize> ProbePicture(const std::string& path);

// The whole picture, or nothing when it cannot be decoded.
std::optional<DecodedPicture> DecodePicture(const std::string& path);

}  // namespace assets
