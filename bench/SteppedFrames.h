#pragma once
#include "view/FrameDriver.h"

// The program's frame driver on a clock that moves on exactly one step's time each frame:
// every frame runs one step and draws, however long it takes, so runs of the benchmark and
// the soak are the same from machine to machine.
namespace bench {

struct SteppedFrames {
  explicit SteppedFrames(view::Scene& scene) : driver(scene) {}
  void Frame() {
    driver.Frame(at);
    at += view::kStepLength;
  }
  view::FrameDriver driver;
  view::StepClock::Clock::time_point at = view::StepClock::Clock::now();
};

}  // namespace bench
