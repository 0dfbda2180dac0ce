#include "view/FrameDriver.h"

namespace view {

bool FrameDriver::Frame(StepClock::Clock::time_point now) {
  lastSteps_ = clock_.StepsFor(now);
  for (int i = 0; i < lastSteps_; ++i) scene_.Step();
  stepsRun_ += lastSteps_;
  if (lastSteps_ == 0 && !redraw_) return false;
  redraw_ = false;
  scene_.Draw();
  ++framesDrawn_;
  return true;
}

}  // namespace view
