#pragma once

// An optional observer of the frame's steps, for profiling only: the frame tells it when each
// step has been issued. The program never installs one; a profiling benchmark does, and may
// wait for the GL (glFinish) inside it to charge each step its own drawing time.
namespace view {

enum class FrameStep {
  kClear,       // projection, camera, viewport, clear
  kOverlay,
  kBackdrop,    // light and backdrop
  kPoolFish,    // draw, feeding steer, food pull, avoidance
  kLargeSlowFish,
  kBackground,
  kBubbles,
  kPellets,
  kPicking,     // feed stage or fish pick
  kCount
};

inline constexpr const char* kFrameStepNames[static_cast<int>(FrameStep::kCount)] = {
    "clear", "overlay", "backdrop", "fish", "large_slow", "background", "bubbles", "food",
    "picking"};

class FrameProbe {
 public:
  virtual ~FrameProbe() = default;
  virtual void After(FrameStep step) = 0;
};

}  // namespace view
