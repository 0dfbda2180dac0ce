#pragma once
// What both offscreen benchmarks stand on: a settings directory of their own and an OSMesa
// context.
#include <GL/gl.h>
#include <GL/osmesa.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace bench {

// XDG_CONFIG_HOME points at a fresh temporary directory whose settings file holds
// `settings`; the directory is removed again with the object.
class TempSettings {
 public:
  TempSettings(const char* prefix, const char* settings) {
    namespace fs = std::filesystem;
    root_ = (fs::temp_directory_path() / (std::string(prefix) + "-XXXXXX")).string();
    if (!mkdtemp(root_.data())) {
      std::fprintf(stderr, "cannot make a temporary directory\n");
      root_.clear();
      return;
    }
    setenv("XDG_CONFIG_HOME", root_.c_str(), 1);
    fs::create_directories(root_ + "/PelavoScr");
    std::ofstream(root_ + "/PelavoScr/PelavoSet.ini") << settings;
  }
  ~TempSettings() {
    std::error_code ec;
    if (!root_.empty()) std::filesystem::remove_all(root_, ec);
  }
  TempSettings(const TempSettings&) = delete;
  TempSettings& operator=(const TempSettings&) = delete;

  bool ok() const { return !root_.empty(); }
  const std::string& root() const { return root_; }

 private:
  std::string root_;
};

// An RGBA context with a 24-bit depth buffer over pixels of its own, current for the object's
// life.
class OffscreenContext {
 public:
  OffscreenContext(int width, int height)
      : pixels_(static_cast<std::size_t>(width) * height * 4),
        context_(OSMesaCreateContextExt(OSMESA_RGBA, 24, 0, 0, nullptr)) {
    ok_ = context_ &&
          OSMesaMakeCurrent(context_, pixels_.data(), GL_UNSIGNED_BYTE, width, height);
    if (!ok_) std::fprintf(stderr, "no offscreen GL context\n");
  }
  ~OffscreenContext() {
    if (context_) OSMesaDestroyContext(context_);
  }
  OffscreenContext(const OffscreenContext&) = delete;
  OffscreenContext& operator=(const OffscreenContext&) = delete;

  bool ok() const { return ok_; }

 private:
  std::vector<unsigned char> pixels_;
  OSMesaContext context_;
  bool ok_ = false;
};

}  // namespace bench
