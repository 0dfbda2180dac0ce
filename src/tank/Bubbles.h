#pragma once
#include <GL/gl.h>

#include <memory>

#include "tank/TankBox.h"

namespace tank {

inline constexpr int kBubblePoolSize = 110;
inline constexpr int kEmitterCount = 3;

// Particles each emitter shows for the QIPAONUM setting: the pool size less the setting,
// kept within 0..pool size. Worked out in 64 bits, so no setting value can overflow it.
inline int BubbleAmount(int qipaonum) {
  const long long amount = static_cast<long long>(kBubblePoolSize) - qipaonum;
  return amount < 0 ? 0 : (amount > kBubblePoolSize ? kBubblePoolSize : static_cast<int>(amount));
}

struct BubbleParticle {
  float x = 0, y = 0, z = 0;
  float vx = 0, vy = 0, vz = 0;
  float ax = 0, ay = 0, az = 0;
  float life = 0;
  float fade = 0;  // life lost per step
  float halfSize = 0;
};

// Where a step showed one bubble: its centre with the step's wobble, and its half size.
struct ShownBubble {
  float x = 0, y = 0, z = 0;
  float halfSize = 0;
};

// A fixed pool of particles, allocated once by Initialise; only the first activeCount()
// of them move and show.
class ParticleSystem {
 public:
  ParticleSystem() = default;
  ParticleSystem(const ParticleSystem&) = delete;
  ParticleSystem& operator=(const ParticleSystem&) = delete;
  virtual ~ParticleSystem() = default;

  // Frees the pool.
  virtual void Destroy();
  // Allocates a pool of `count` particles with position, velocity and acceleration cleared.
  // Returns false (and holds no pool) when the count is negative or the allocation fails.
  virtual bool Initialise(int count);
  // Moves the active particles one step.
  virtual void Update() = 0;

  int activeCount() const { return active_; }
  int poolSize() const { return poolSize_; }
  const BubbleParticle& particle(int i) const { return particles_[i]; }

 protected:
  int active_ = 0;
  int poolSize_ = 0;
  std::unique_ptr<BubbleParticle[]> particles_;
};

// One emitter of rising bubbles drawn as small textured squares.
class BubbleEmitter : public ParticleSystem {
 public:
  // Pool, first spawn of every particle, then the bubble sprite.
  bool Initialise(int count) override;
  // One step: the first n particles (clamped to the pool) are shown where they stand, each
  // with a small random wobble, then they move on.
  void Step(int n);
  // The bubbles the last step showed, as small textured squares; changes nothing.
  void Draw() const;
  void Update() override;

  GLuint texture() const { return texture_; }
  int shownCount() const { return shownCount_; }
  const ShownBubble& shown(int i) const { return shown_[i]; }

 private:
  void Rebirth(BubbleParticle& p);

  GLuint texture_ = 0;
  std::unique_ptr<ShownBubble[]> shown_;  // as many as the pool holds
  int shownCount_ = 0;
};

// Scene start-up for the three emitters: emitter k stands at x 0, below the floor, at its
// own depth behind the box's back; each is initialised with a full pool and advanced
// through 110 steps of 110 - qipaonum bubbles so that the first frame shows them spread out.
// Needs a current GL context.
void PlaceBubbleEmitters(BubbleEmitter (&emitters)[kEmitterCount],
                         float (&positions)[kEmitterCount][3], const TankBox& box, int qipaonum);

}  // namespace tank
