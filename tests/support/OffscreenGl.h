#pragma once
#include <cstdint>
#include <vector>

// A current OpenGL context without a window (OSMesa), for tests that draw or upload
// textures. Only programs linked against OSMesa may use it.
class OffscreenGl {
 public:
  OffscreenGl(int width = 256, int height = 256, int depthBits = 24);
  ~OffscreenGl();
  OffscreenGl(const OffscreenGl&) = delete;
  OffscreenGl& operator=(const OffscreenGl&) = delete;

  int width() const { return width_; }
  int height() const { return height_; }
  // RGBA pixels of the colour buffer, bottom row first.
  const std::vector<std::uint8_t>& pixels() const { return pixels_; }
  std::uint8_t* pixel(int x, int y) { return &pixels_[(static_cast<std::size_t>(y) * width_ + x) * 4]; }

 private:
  void* context_ = nullptr;
  int width_, height_;
  std::vector<std::uint8_t> pixels_;
};
