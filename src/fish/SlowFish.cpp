#include "fish/SlowFish.h"

namespace fish {

SlowFish::SlowFish() {
  size = kSlowFishSize;
  speed = kSlowFishStartSpeed;
  targetPitch = static_cast<float>(crt::rand() % 45);
  targetHeading = crt::rand() % 2 == 1 ? 180.0f : 0.0f;
  wanderTimer = crt::rand() % 200;
}

void SlowFish::setBounds(float xMinArg, float xMaxArg, float yTopArg, float yBottomArg,
                         float zMinArg, float zMaxArg) {
  FishMotion::setBounds(xMinArg, xMaxArg, yTopArg, yBottomArg, zMinArg, zMaxArg);
  wallCode = kWallNone;
}

}  // namespace fish
