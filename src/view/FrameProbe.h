#pragma once

// An optional observer of the frame's stages, for profiling only: the step and the draw tell
// it when each stage has been issued. The program never installs one; a profiling benchmark does, and may
// wait for the GL (glFinish) inside it to charge each step its own drawing time.
namespace view {

enum class FrameStep {
  kStepFish,    // the step: every fish's motion, feeding, food pull and avoidance
  kStepTank,    // the step: the sheet's wave, bubbles, food
  kPicking,     // the step: feed stage or fish pick
  kClear,       // the draw: projection, camera, viewport, clear
  kOverlay,
  kBackdrop,    // light and backdrop
  kPoolFish,
  kLargeSlowFish,
  kBackground,
  kBubbles,
  kPellets,
  kCount
};

inline constexpr const char* kFrameStepNames[static_cast<int>(FrameStep::kCount)] = {
    "step_fish", "step_tank", "picking", "clear", "overlay", "backdrop", "fish", "large_slow",
    "background", "bubbles", "food"};

class FrameProbe {
 public:
  virtual ~FrameProbe() = default;
  virtual void After(FrameStep step) = 0;
};

}  // namespace view
