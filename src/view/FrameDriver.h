#pragma once
#include "view/Scene.h"
#include "view/StepClock.h"

// The one driver of every frame of the tank, in the window (X11 and Wayland), screensaver
// mode, the benchmark and the soak run: a frame runs the simulation steps its clock says are
// due, then draws once. A frame with no step due draws nothing new, so the caller need not
// show it (a display faster than 60 Hz then shows each picture for more than one refresh).
// The caller makes the GL context current and shows the drawn frame; the driver knows no
// toolkit. The tank's time starts once the first frame is drawn: the next frame runs one
// step, however long the first took. Interpolated drawing between two steps would live here.
namespace view {

class FrameDriver {
 public:
  explicit FrameDriver(Scene& scene) : scene_(scene) {}

  // A frame beginning at `now`: the due steps, then the draw when a step ran or a redraw
  // was asked for. True when it drew.
  bool Frame(StepClock::Clock::time_point now);
  // Frames are held (the window cannot be seen, no frame is asked for): time stops here, and
  // the next frame goes on from where the tank stood.
  void Hold() { clock_.Hold(); }
  // The next frame draws even with no step due (a new size, a picture to be shown again).
  void RequestRedraw() { redraw_ = true; }

  const StepClock& clock() const { return clock_; }
  long framesDrawn() const { return framesDrawn_; }
  long stepsRun() const { return stepsRun_; }
  int lastSteps() const { return lastSteps_; }

 private:
  Scene& scene_;
  StepClock clock_;
  bool redraw_ = false;
  long framesDrawn_ = 0;
  long stepsRun_ = 0;
  int lastSteps_ = 0;
};

}  // namespace view
