#include "view/FrameDriver.h"

namespace view {

bool FrameDriver::Frame(StepClock::Clock::time_point now) {
  lastSteps_ = clock_.StepsFor(now);
  for (int i = 0; i < lastSteps_; ++i) scene_.Step();
  stepsRun_ += lastSteps_;
  if (lastSteps_ == 0 && !redraw_) return false;
  redraw_ = false;
  scene_.Draw();
  // The time the first frame takes to reach the screen (every texture and drawing state
  // used for the first time, a window not yet shown) is not the tank's: its time starts
  // with the next frame.
  if (framesDrawn_ == 0) clock_.Hold();
  ++framesDrawn_;
  return true;
}

}  // namespace view
