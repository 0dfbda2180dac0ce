#pragma once
#include <cstdint>

#include "view/Scene.h"

// The motion state of every fish, pellet and bubble of a scene folded into one number, to
// tell whether anything moved.
namespace tankstate {

template <class T>
inline void Mix(std::uint64_t& h, const T& value) {
  const auto* p = reinterpret_cast<const unsigned char*>(&value);
  for (std::size_t i = 0; i < sizeof(T); ++i) h = (h ^ p[i]) * 1099511628211ull;
}

inline std::uint64_t TankStateHash(view::Scene& scene) {
  std::uint64_t h = 1469598103934665603ull;
  auto fishState = [&](const auto& f) {
    Mix(h, f.x), Mix(h, f.y), Mix(h, f.z), Mix(h, f.heading), Mix(h, f.pitch);
    Mix(h, f.targetHeading), Mix(h, f.targetPitch), Mix(h, f.speed), Mix(h, f.wanderTimer);
    Mix(h, f.size), Mix(h, f.turnTick);
  };
  for (int i = 0; i < 100; ++i) fishState(scene.poolFish(i));
  for (int i = 0; i < 2; ++i) fishState(scene.largeFish(i));
  for (int i = 0; i < 2; ++i) fishState(scene.slowFish(i));
  for (int i = 0; i < 20; ++i) {
    const tank::FoodPellet& p = scene.pellet(i);
    Mix(h, p.IsActive()), Mix(h, p.localY()), Mix(h, p.worldX()), Mix(h, p.spin());
  }
  for (int k = 0; k < 3; ++k) {
    const tank::BubbleEmitter& e = scene.emitter(k);
    for (int i = 0; i < e.activeCount(); ++i) Mix(h, e.particle(i).y);
  }
  Mix(h, scene.revealCount());
  return h;
}

}  // namespace tankstate
