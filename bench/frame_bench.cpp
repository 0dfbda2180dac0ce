// Frame-time benchmark: the whole scene rendered offscreen (OSMesa) at 1920 x 1080 with a
// fixed settings file (ten fish per species, default bubbles, background on).
//
//   frame_bench [--profile] [--frames N] [--warmup N] [--reveal-all] [--immediate] [--size WxH]
//
// Phases, after a warm-up (120 frames unless told; 100 reveal every fish, or --reveal-all
// shows them all at once):
//   feed     Feed mode, the mouse over the tank: every frame runs the bar picks;
//   touch    Touch mode, a click every few frames: those frames pick fish;
//   overlay  Feed mode with the text overlay kept up (F1 pressed again whenever it hides),
//            100 frames or --frames if fewer;
//   wall     Feed mode on the wall clock for a few seconds: frames come as fast as they are
//            drawn and the step clock decides the steps, so the line gives frames and steps
//            a second (60 steps a second while frames take less than 4 steps' time).
// Every phase drives the scene through the program's frame driver; the measured phases give
// it a clock that moves on one step's time a frame, so that each frame runs exactly one step.
// --profile waits for the GL (glFinish) after every step of the frame and prints each step's
// median and 95th percentile wall time and its median CPU time (all threads); the waits make the whole frame slower, so the phase lines of a
// profiling run are not the program's frame times. --immediate draws the fish through the
// old one-call-per-vertex path, for comparison.
//
// Also printed: the simulation step alone (no drawing; the bar picks are its only GL), start-up
// to the first finished frame, peak memory. The LAST line is the summary over the feed and
// touch phases: frame_ms_median=... frame_ms_p95=... fps=... startup_ms=...
//
// Instruction counts of the measured frames alone, one dump per phase, with every frame
// rasterized on the main thread (the benchmark switches callgrind's instrumentation on for
// its phases only): LP_NUM_THREADS=0 valgrind --tool=callgrind --instr-atstart=no
// build/bench/frame_bench --frames 2 --warmup 2 --reveal-all
#include <GL/gl.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#else
#define CALLGRIND_START_INSTRUMENTATION
#define CALLGRIND_STOP_INSTRUMENTATION
#define CALLGRIND_DUMP_STATS_AT(name)
#endif

#include "SteppedFrames.h"
#include "fish/GeneratedPart.h"
#include "platform/MessageBox.h"
#include "support/OffscreenGl.h"
#include "support/TempConfigDir.h"
#include "view/FrameDriver.h"
#include "view/FrameProbe.h"
#include "view/Scene.h"

namespace {

constexpr int kDefaultWidth = 1920;
constexpr int kDefaultHeight = 1080;
constexpr int kWarmUpFrames = 120;  // every fish revealed, caches warm
constexpr int kDefaultFrames = 300;
constexpr int kOverlayFrames = 100;
constexpr int kTouchClickEvery = 5;  // frames between two clicks in Touch mode
constexpr int kSimulationSteps = 2000;
constexpr std::chrono::seconds kWallClockPhase{3};

constexpr const char* kSettings =
    "[Zudadudu Settings]\nQIPAONUM=100\nLIGHTQIANGDU=0\nBACKGROUND=0\n"
    "[Fish Number]\nFish0=10\nFish1=10\nFish2=10\nFish3=10\nFish4=10\n"
    "Fish5=10\nFish6=10\nFish7=10\nFish8=10\nFish9=10\n";

using Clock = std::chrono::steady_clock;
constexpr int kSteps = static_cast<int>(view::FrameStep::kCount);

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// CPU time of every thread of the process (the rasterizer threads too), in ms. Less
// disturbed than wall time when other programs share the cores.
double ProcessCpuMs() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_nsec) / 1.0e6;
}

struct Stats {
  double median = 0, p95 = 0, mean = 0;
};

Stats Summarise(std::vector<double> v) {
  Stats s;
  if (v.empty()) return s;
  double total = 0;
  for (double x : v) total += x;
  std::sort(v.begin(), v.end());
  s.median = v[v.size() / 2];
  s.p95 = v[std::min(v.size() - 1, v.size() * 95 / 100)];
  s.mean = total / static_cast<double>(v.size());
  return s;
}

// Charges each step the time from the previous step's end to its own, after glFinish: wall
// time and the CPU time of all the process's threads.
class StepTimer : public view::FrameProbe {
 public:
  void BeginFrame() {
    glFinish();
    last_ = Clock::now();
    lastCpu_ = ProcessCpuMs();
  }
  void After(view::FrameStep step) override {
    glFinish();
    const auto now = Clock::now();
    const double cpu = ProcessCpuMs();
    times_[static_cast<int>(step)].push_back(Ms(now - last_));
    cpu_[static_cast<int>(step)].push_back(cpu - lastCpu_);
    last_ = now;
    lastCpu_ = cpu;
  }
  void Print(const char* phase) const {
    std::printf("%-8s steps (ms, median / p95 wall, median cpu):", phase);
    for (int k = 0; k < kSteps; ++k) {
      const Stats s = Summarise(times_[k]);
      const Stats c = Summarise(cpu_[k]);
      std::printf(" %s=%.2f/%.2f/%.2f", view::kFrameStepNames[k], s.median, s.p95, c.median);
    }
    std::printf("\n");
  }
  void Clear() {
    for (auto& t : times_) t.clear();
    for (auto& t : cpu_) t.clear();
  }

 private:
  Clock::time_point last_;
  double lastCpu_ = 0;
  std::array<std::vector<double>, kSteps> times_;
  std::array<std::vector<double>, kSteps> cpu_;
};

struct Options {
  bool profile = false;
  bool immediate = false;
  bool revealAll = false;
  int frames = kDefaultFrames;
  int warmUp = kWarmUpFrames;
  int width = kDefaultWidth;
  int height = kDefaultHeight;
};

Options Parse(int argc, char** argv) {
  Options o;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--profile") == 0) {
      o.profile = true;
    } else if (std::strcmp(argv[i], "--reveal-all") == 0) {
      o.revealAll = true;
    } else if (std::strcmp(argv[i], "--immediate") == 0) {
      o.immediate = true;
    } else if (std::strcmp(argv[i], "--size") == 0 && i + 1 < argc &&
               std::sscanf(argv[i + 1], "%dx%d", &o.width, &o.height) == 2 && o.width > 0 &&
               o.height > 0) {
      ++i;
    } else if (std::strcmp(argv[i], "--frames") == 0 && i + 1 < argc) {
      o.frames = std::max(1, std::atoi(argv[++i]));
    } else if (std::strcmp(argv[i], "--warmup") == 0 && i + 1 < argc) {
      o.warmUp = std::max(0, std::atoi(argv[++i]));
    } else {
      std::fprintf(stderr, "usage: frame_bench [--profile] [--immediate] [--frames N] [--warmup N] [--reveal-all] "
                   "[--size WxH]\n");
      std::exit(2);
    }
  }
  return o;
}

// Frames that are not measured (kept out of Measure, whose name a profiler may select).
void WarmUp(bench::SteppedFrames& frames, int count) {
  for (int i = 0; i < count; ++i) {
    frames.Frame();
    glFinish();
  }
}

// Runs `frames` frames, calling before(i) ahead of frame i; returns the frame times and sets
// cpuMs to the process CPU time per frame.
template <class Before>
std::vector<double> Measure(bench::SteppedFrames& driven, int frames, StepTimer* timer, double& cpuMs,
                            Before before) {
  std::vector<double> times;
  times.reserve(static_cast<std::size_t>(frames) + 1);
  const double cpuBegin = ProcessCpuMs();
  CALLGRIND_START_INSTRUMENTATION;
  for (int i = 0; i < frames; ++i) {
    before(i);
    if (timer) timer->BeginFrame();
    const auto begin = Clock::now();
    driven.Frame();
    glFinish();
    times.push_back(Ms(Clock::now() - begin));
  }
  CALLGRIND_STOP_INSTRUMENTATION;
  cpuMs = (ProcessCpuMs() - cpuBegin) / frames;
  return times;
}

void PrintPhase(const char* phase, const std::vector<double>& times, double cpuMs) {
  CALLGRIND_DUMP_STATS_AT(phase);
  const Stats s = Summarise(times);
  std::printf("%-8s frames=%zu median=%.2f ms p95=%.2f ms mean=%.2f ms fps=%.1f cpu=%.2f ms\n",
              phase, times.size(), s.median, s.p95, s.mean, s.mean > 0 ? 1000.0 / s.mean : 0.0,
              cpuMs);
}

}  // namespace

int main(int argc, char** argv) {
  const Options options = Parse(argc, argv);
  const int kWidth = options.width;
  const int kHeight = options.height;
  const TempConfigDir world;
  platform::SetMessageBoxHandler({});  // any message goes to stderr
  world.writeFile(world.settingsFile(), kSettings);

  const char* threads = std::getenv("LP_NUM_THREADS");
  std::printf("OSMesa %dx%d, llvmpipe threads %s, %ld cores online, fish path %s%s\n", kWidth,
              kHeight, threads ? threads : "default (one per core)", sysconf(_SC_NPROCESSORS_ONLN),
              options.immediate ? "immediate" : "arrays", options.profile ? ", profiling" : "");
  fish::SetImmediateMode(options.immediate);

  const OffscreenGl context(kWidth, kHeight);

  int status = 0;
  {
    auto scene = std::make_unique<view::Scene>();
    // Start-up to the first finished frame, as the window sees it.
    const auto startupBegin = Clock::now();
    const bool started = scene->Startup(kWidth, kHeight);
    const double startupOnlyMs = Ms(Clock::now() - startupBegin);
    bench::SteppedFrames driven(*scene);
    driven.Frame();
    glFinish();
    const double startupMs = Ms(Clock::now() - startupBegin);
    if (!started) {
      std::fprintf(stderr, "scene start-up stopped early\n");
      status = 1;
    } else {
      std::printf("startup  scene=%.1f ms first_frame_done=%.1f ms\n", startupOnlyMs, startupMs);
      StepTimer timer;
      StepTimer* probe = options.profile ? &timer : nullptr;
      scene->SetFrameProbe(probe);
      const auto none = [](int) {};
      double cpuMs = 0;

      // Feed mode with the mouse over the middle of the tank: both bar picks every frame.
      scene->SetMode(kCmdFeed);
      scene->OnMouseMove(kWidth / 2, kHeight / 2);
      if (options.revealAll) scene->RevealAll();
      WarmUp(driven, options.warmUp);
      if (probe) timer.Clear();
      const std::vector<double> feed = Measure(driven, options.frames, probe, cpuMs, none);
      PrintPhase("feed", feed, cpuMs);
      if (probe) timer.Print("feed");

      // Touch mode: a click every few frames over a spot that moves around the tank.
      scene->SetMode(kCmdTouch);
      if (probe) timer.Clear();
      const std::vector<double> touch = Measure(driven, options.frames, probe, cpuMs, [&](int i) {
        if (i % kTouchClickEvery != 0) return;
        const int x = kWidth / 4 + (i * 37) % (kWidth / 2);
        const int y = kHeight / 4 + (i * 23) % (kHeight / 2);
        scene->OnMouseMove(x, y);
        scene->OnLeftDown(x, y);
        scene->OnLeftUp();
      });
      PrintPhase("touch", touch, cpuMs);
      if (probe) timer.Print("touch");

      // Feed mode with the overlay up the whole time.
      scene->SetMode(kCmdFeed);
      scene->OnMouseMove(kWidth / 2, kHeight / 2);
      if (probe) timer.Clear();
      const std::vector<double> overlay = Measure(driven, std::min(kOverlayFrames, options.frames), probe, cpuMs, [&](int) {
        if (!scene->overlay().visible()) scene->ToggleOverlay();
      });
      PrintPhase("overlay", overlay, cpuMs);
      if (probe) timer.Print("overlay");
      scene->SetFrameProbe(nullptr);

      // Frames on the wall clock: the step clock pays the time they take in steps.
      {
        view::FrameDriver wall(*scene);
        const auto begin = Clock::now();
        long frames = 0;
        while (Clock::now() - begin < kWallClockPhase) {
          wall.Frame(Clock::now());
          glFinish();
          ++frames;
        }
        const double seconds = std::chrono::duration<double>(Clock::now() - begin).count();
        std::printf("wall     frames=%ld drawn=%ld fps=%.1f steps_per_s=%.1f\n", frames,
                    wall.framesDrawn(), wall.framesDrawn() / seconds, wall.stepsRun() / seconds);
      }

      // The simulation step alone, without drawing.
      const auto simBegin = Clock::now();
      for (int i = 0; i < kSimulationSteps; ++i) scene->Step();
      std::printf("simulation (step, no drawing) %.3f ms per step\n",
                  Ms(Clock::now() - simBegin) / kSimulationSteps);

      rusage usage{};
      getrusage(RUSAGE_SELF, &usage);
      std::printf("peak_rss=%.1f MB\n", static_cast<double>(usage.ru_maxrss) / 1024.0);

      std::vector<double> all = feed;
      all.insert(all.end(), touch.begin(), touch.end());
      const Stats s = Summarise(all);
      std::printf("frame_ms_median=%.3f frame_ms_p95=%.3f fps=%.1f startup_ms=%.1f\n", s.median,
                  s.p95, 1000.0 / s.mean, startupMs);
    }
  }
  return status;
}
