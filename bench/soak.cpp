// Soak run: the whole scene offscreen at a small size for many frames while everything that
// creates or frees GL objects keeps happening: a feed click every few frames, touch and zoom
// clicks, new species counts every second and the slideshow switching pictures every tick.
// Prints the resident memory and the number of live display lists and textures after the
// warm-up and at the end; exits 1 when any of them grew.
//   soak [frames]   (default 100000)
#include <GL/gl.h>
#include <stdlib.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "SteppedFrames.h"
#include "platform/CrtRand.h"
#include "platform/MessageBox.h"
#include "platform/ProcessMemory.h"
#include "settings/SettingsFile.h"
#include "settings/SlideshowModel.h"
#include "support/OffscreenGl.h"
#include "support/TempConfigDir.h"
#include "ui/CommandId.h"
#include "view/Scene.h"

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 240;
constexpr int kDefaultFrames = 100000;
constexpr int kWarmUpFrames = 600;       // every fish revealed, first pellets eaten
constexpr int kFeedEvery = 4;            // frames between feed clicks
constexpr int kModeClickEvery = 97;      // frames between touch and zoom clicks
constexpr int kCountsEvery = 60;         // one second of frames
constexpr int kReportEvery = 10000;
constexpr long kRssSlackKb = 8 * 1024;   // allocator noise allowed between the two figures
constexpr int kPictureSide = 16;

constexpr const char* kSettings =
    "[Zudadudu Settings]\nQIPAONUM=60\nLIGHTQIANGDU=0\nBACKGROUND=0\n"
    "[Fish Number]\nFish0=10\nFish1=10\nFish2=10\nFish3=10\nFish4=10\n"
    "Fish5=10\nFish6=10\nFish7=10\nFish8=10\nFish9=10\n";

struct Figures {
  long rssKb = 0;
  int lists = 0;
  int textures = 0;
};


Figures Measure() {
  glFinish();
  Figures f;
  f.rssKb = platform::ResidentKb();
  // The GL hands out names above every name in use, so a fresh name bounds the probe (the
  // names of pellets and pictures keep rising over a long run).
  const GLuint listBound = glGenLists(1);
  GLuint textureBound = 0;
  glGenTextures(1, &textureBound);
  for (GLuint n = 1; n < listBound; ++n) f.lists += glIsList(n) == GL_TRUE;
  for (GLuint n = 1; n < textureBound; ++n) f.textures += glIsTexture(n) == GL_TRUE;
  glDeleteLists(listBound, 1);
  glDeleteTextures(1, &textureBound);
  return f;
}

void Print(const char* when, int frame, const Figures& f) {
  std::printf("%s frame=%d rss_kb=%ld display_lists=%d textures=%d\n", when, frame, f.rssKb,
              f.lists, f.textures);
  std::fflush(stdout);
}

// A classic 24-bit BMP of one colour, written byte by byte.
void WritePicture(const std::string& path, std::uint8_t blue, std::uint8_t green, std::uint8_t red) {
  const int stride = (kPictureSide * 3 + 3) / 4 * 4;
  const std::uint32_t dataBytes = static_cast<std::uint32_t>(stride * kPictureSide);
  std::vector<std::uint8_t> b{'B', 'M'};
  auto put = [&b](std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  };
  put(54 + dataBytes, 4); put(0, 4); put(54, 4);
  put(40, 4); put(kPictureSide, 4); put(kPictureSide, 4); put(1, 2); put(24, 2);
  put(0, 4); put(dataBytes, 4); put(2835, 4); put(2835, 4); put(0, 4); put(0, 4);
  for (int y = 0; y < kPictureSide; ++y)
    for (int x = 0; x < stride; ++x) {
      const int c = x % 3;
      b.push_back(x >= kPictureSide * 3 ? 0 : (c == 0 ? blue : c == 1 ? green : red));
    }
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(b.data()),
                                              static_cast<std::streamsize>(b.size()));
}

}  // namespace

int main(int argc, char** argv) {
  const int frames = argc > 1 ? std::atoi(argv[1]) : kDefaultFrames;
  const TempConfigDir world;
  platform::SetMessageBoxHandler({});  // any message goes to stderr
  world.writeFile(world.settingsFile(), kSettings);
  const std::string& root = world.root();
  WritePicture(root + "/first picture.bmp", 255, 0, 0);
  WritePicture(root + "/second picture.bmp", 0, 200, 255);
  const OffscreenGl context(kWidth, kHeight);

  int status = 0;
  {
    auto scene = std::make_unique<view::Scene>();
    settings::SlideshowModel slideshow;
    if (!scene->Startup(kWidth, kHeight) ||
        slideshow.Add(root + "/first picture.bmp") != settings::SlideshowModel::AddResult::kAdded ||
        slideshow.Add(root + "/second picture.bmp") != settings::SlideshowModel::AddResult::kAdded) {
      std::fprintf(stderr, "scene start-up or the pictures failed\n");
      status = 1;
    } else {
      slideshow.SetIntervalText("0");
      slideshow.SetOwnImage(true);
      Figures start;
      bench::SteppedFrames driven(*scene);
      const auto begin = std::chrono::steady_clock::now();
      int counts[settings::kSpeciesCount];
      for (int frame = 0; frame < frames; ++frame) {
        if (frame == kWarmUpFrames) {
          start = Measure();
          Print("start", frame, start);
        }
        slideshow.Tick();
        if (frame % kCountsEvery == 0) {
          for (int& c : counts) c = crt::rand() % 21;  // 0..20 of each species
          settings::ReplaceFishCounts(counts);
        }
        const int x = crt::rand() % kWidth, y = crt::rand() % kHeight;
        if (frame % kModeClickEvery == 0) {
          static constexpr int kModes[] = {kCmdTouch, kCmdZoomIn, kCmdZoomOut};
          scene->SetMode(kModes[(frame / kModeClickEvery) % 3]);
        } else if (frame % kModeClickEvery == 1) {
          scene->SetMode(kCmdFeed);
        }
        if (frame % kFeedEvery == 0 || frame % kModeClickEvery == 0) {
          scene->OnMouseMove(x, y);
          scene->OnLeftDown(x, y);
        }
        driven.Frame();
        glFinish();  // as the window does before every buffer swap
        if (scene->buttonDown()) scene->OnLeftUp();
        if (frame > 0 && frame % kReportEvery == 0) {
          const double s =
              std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
          std::printf("progress frame=%d rss_kb=%ld fps=%.0f\n", frame, platform::ResidentKb(), frame / s);
          std::fflush(stdout);
        }
      }
      const Figures end = Measure();
      Print("end", frames, end);
      const bool flat = end.lists <= start.lists && end.textures <= start.textures &&
                        end.rssKb <= start.rssKb + kRssSlackKb;
      std::printf("soak %s: rss %+ld kB, display lists %+d, textures %+d over %d frames\n",
                  flat ? "flat" : "GREW", end.rssKb - start.rssKb, end.lists - start.lists,
                  end.textures - start.textures, frames - kWarmUpFrames);
      if (!flat) status = 1;
    }
  }
  return status;
}
