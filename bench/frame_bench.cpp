// Frame-time benchmark: the whole scene rendered offscreen at 1920 x 1080 with a fixed
// settings file. Prints frame_ms_median, frame_ms_p95, fps and startup_ms as its last line.
#include <GL/gl.h>
#include <GL/osmesa.h>
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "view/Scene.h"

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr int kWarmUpFrames = 120;  // every fish revealed, caches warm
constexpr int kMeasuredFrames = 300;

constexpr const char* kSettings =
    "[Zudadudu Settings]\nQIPAONUM=100\nLIGHTQIANGDU=0\nBACKGROUND=0\n"
    "[Fish Number]\nFish0=10\nFish1=10\nFish2=10\nFish3=10\nFish4=10\n"
    "Fish5=10\nFish6=10\nFish7=10\nFish8=10\nFish9=10\n";

double Ms(std::chrono::steady_clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

}  // namespace

int main() {
  namespace fs = std::filesystem;
  std::string root = (fs::temp_directory_path() / "pelavo-bench-XXXXXX").string();
  if (!mkdtemp(root.data())) {
    std::fprintf(stderr, "cannot make a temporary directory\n");
    return 1;
  }
  setenv("XDG_CONFIG_HOME", root.c_str(), 1);
  fs::create_directories(root + "/PelavoScr");
  std::ofstream(root + "/PelavoScr/PelavoSet.ini") << kSettings;

  std::vector<unsigned char> pixels(static_cast<std::size_t>(kWidth) * kHeight * 4);
  OSMesaContext context = OSMesaCreateContextExt(OSMESA_RGBA, 24, 0, 0, nullptr);
  if (!context || !OSMesaMakeCurrent(context, pixels.data(), GL_UNSIGNED_BYTE, kWidth, kHeight)) {
    std::fprintf(stderr, "no offscreen GL context\n");
    return 1;
  }

  int status = 0;
  {
    auto scene = std::make_unique<view::Scene>();
    const auto startupBegin = std::chrono::steady_clock::now();
    const bool started = scene->Startup(kWidth, kHeight);
    glFinish();
    const double startupMs = Ms(std::chrono::steady_clock::now() - startupBegin);
    if (!started) {
      std::fprintf(stderr, "scene start-up stopped early\n");
      status = 1;
    } else {
      scene->OnMouseMove(kWidth / 2, kHeight / 2);
      for (int i = 0; i < kWarmUpFrames; ++i) scene->RunFrame();
      glFinish();
      std::vector<double> frames;
      frames.reserve(kMeasuredFrames);
      for (int i = 0; i < kMeasuredFrames; ++i) {
        const auto begin = std::chrono::steady_clock::now();
        scene->RunFrame();
        glFinish();
        frames.push_back(Ms(std::chrono::steady_clock::now() - begin));
      }
      double total = 0;
      for (double f : frames) total += f;
      std::sort(frames.begin(), frames.end());
      const double median = frames[frames.size() / 2];
      const double p95 = frames[frames.size() * 95 / 100];
      std::printf("frame_ms_median=%.3f frame_ms_p95=%.3f fps=%.1f startup_ms=%.1f\n", median,
                  p95, 1000.0 * frames.size() / total, startupMs);
    }
  }
  OSMesaDestroyContext(context);
  std::error_code ec;
  fs::remove_all(root, ec);
  return status;
}
