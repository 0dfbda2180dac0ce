#pragma once
#include <chrono>

#include "view/FrameDriver.h"
#include "view/FramePacer.h"
#include "view/RateCap.h"

// When the window's next frame comes, without the toolkit: the window's tick asks it after
// every frame and tick. It keeps why the window cannot be seen (the frame driver is held
// meanwhile, and the picture is drawn anew when it is seen again), notices a repaint that
// never came, and keeps ticks without a context to the refresh interval.
namespace view {

// A repaint that has not come after this long means the toolkit is not drawing the window
// (hidden in a way no event reported): frames are held and the tick slows down.
inline constexpr std::chrono::milliseconds kNoPaintAfter{500};
// When a requested repaint does not come (a hidden window gets none), the tick comes back
// after this long so the frame chain never stops for good.
inline constexpr int kRepaintGuardMs = 100;
// The next tick after a frame.
inline constexpr int kTickAfterFrameMs = 1;

// The states of the window that shows the tank, in the order it passes them.
enum class ViewState {
  kWaiting,    // on screen soon: the first paint starts the scene
  kStarting,   // scene start-up runs (a paint meanwhile draws nothing)
  kRunning,    // frames are drawn
  kNoContext,  // no usable pixel format or context: nothing is drawn, keys and menu work
  kTornDown,   // the context is released and the ticks have stopped
};

class FrameSchedule {
 public:
  using Clock = FramePacer::Clock;

  struct Next {
    bool repaint;      // ask the toolkit to paint (which draws the frame)
    bool tuneTick;     // hand the built-in tune on (no frame did)
    int tickAfterMs;   // the next tick comes after this long
  };

  explicit FrameSchedule(FrameDriver& driver) : driver_(driver) {}

  // The view's frames come from paints, which the toolkit (or the compositor) holds to the
  // refresh: no wait of our own. Before this, ticks keep to kFrameInterval.
  void PacedByDisplay() { pacer_.SetDisplayPaces(true); }
  // At most this many frames a second, whatever the display's pace (0: no cap).
  void LimitRate(int framesPerSecond) { cap_.SetRate(framesPerSecond); }
  // How long a frame at `now` must wait for the cap; zero: it may be drawn.
  std::chrono::milliseconds CapWait(Clock::time_point now) const { return cap_.Wait(now); }
  // A frame or a tick without a context begins.
  void FrameStarted(Clock::time_point now) {
    pacer_.FrameStarted(now);
    cap_.FrameStarted(now);
  }

  // A reason the window cannot be seen begins (holds) or ends. True when that made the
  // window seen again: the next tick should come at once.
  bool SetHidden(HiddenReasons::Reason reason, bool holds);
  bool Hidden() const { return hidden_.Hidden(); }

  // A paint was asked for at `now`.
  void RepaintAsked(Clock::time_point now);
  // The toolkit painted the window.
  void Painted();

  // What comes after a tick at `now` in the view's state. fromTimer: no frame ran the
  // tune's hand-off just before.
  Next AfterTick(Clock::time_point now, ViewState state, bool fromTimer);

 private:
  // The tick of a view without a context: the hand-off, kept to the refresh interval.
  Next TickWithoutContext(Clock::time_point now);

  FrameDriver& driver_;
  FramePacer pacer_;
  RateCap cap_;
  HiddenReasons hidden_;
  bool repaintAsked_ = false;
  Clock::time_point repaintAskedAt_{};
};

}  // namespace view
