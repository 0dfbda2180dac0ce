#include "tank/Bubbles.h"

#include <new>

#include "assets/TextureLoaders.h"
#include "platform/CrtRand.h"
#include "resource_ids.h"

namespace tank {
namespace {

constexpr int kSpriteResource = res::id::kParticle1;
constexpr const char* kSpriteName = "Particle1";

constexpr float kStartLife = 200.0f;
constexpr float kRiseAcceleration = 0.00083333330f;
constexpr float kLowestY = -25.0f;
constexpr float kHighestY = 130.0f;

// First spawn and rebirth share most of their spread.
constexpr int kSpreadX = 200;
constexpr float kOffsetX = 100.0f;
constexpr float kStepY = 0.005f;
constexpr float kOffsetY = 1.0f;
constexpr float kSpawnStepZ = 0.005f;
constexpr float kDriftX = 7e-6f;
constexpr float kRiseSpeed = 0.000042f;
constexpr float kFirstRiseFactor = 0.33333334f;  // first spawn rises at a third of the speed
constexpr float kDriftZ = 1e-6f;
constexpr float kSizeStep = 0.1f;
constexpr float kFadeStep = 0.05f;
constexpr int kWobbleSpread = 20;
constexpr float kWobbleStep = 0.01f;

constexpr float kEmitterBelowFloor = 5.0f;
constexpr float kEmitterDepths[kEmitterCount] = {100.0f, 200.0f, 50.0f};
constexpr int kStartupSteps = 110;

// One draw minus the next, both taken modulo m.
float DrawDifference(int m) {
  const int first = crt::rand() % m;
  const int second = crt::rand() % m;
  return static_cast<float>(first - second);
}

}  // namespace

void ParticleSystem::Destroy() {
  particles_.reset();
  poolSize_ = 0;
  active_ = 0;
}

bool ParticleSystem::Initialise(int count) {
  Destroy();
  if (count < 0) return false;
  particles_.reset(new (std::nothrow) BubbleParticle[count]());
  if (!particles_) return false;
  poolSize_ = count;
  return true;
}

bool BubbleEmitter::Initialise(int count) {
  if (!ParticleSystem::Initialise(count)) return false;
  for (int i = 0; i < poolSize_; ++i) {
    BubbleParticle& p = particles_[i];
    p.x = static_cast<float>(crt::rand() % kSpreadX) - kOffsetX;
    p.y = static_cast<float>(crt::rand() % 9) * kStepY - kOffsetY;
    p.z = static_cast<float>(crt::rand() % 6) * kSpawnStepZ;
    p.vx = DrawDifference(9000) * kDriftX;
    p.vy = static_cast<float>(crt::rand() % 9000) * kRiseSpeed * kFirstRiseFactor;
    p.vz = static_cast<float>(crt::rand() % 9000) * kDriftZ;
    p.ax = 0.0f;
    p.ay = kRiseAcceleration;
    p.az = 0.0f;
    p.life = kStartLife;
    p.halfSize = static_cast<float>(crt::rand() % 20 + 2) * kSizeStep;
    p.fade = static_cast<float>(crt::rand() % 50) * kFadeStep;
  }
  shown_.reset(new (std::nothrow) ShownBubble[poolSize_ > 0 ? poolSize_ : 1]());
  shownCount_ = 0;
  if (!shown_) {
    Destroy();
    return false;
  }
  if (texture_ != 0) glDeleteTextures(1, &texture_);
  texture_ = assets::LoadPackedTexture(kSpriteResource, kSpriteName, false);
  return true;
}

void BubbleEmitter::Rebirth(BubbleParticle& p) {
  p.x = static_cast<float>(crt::rand() % kSpreadX) - kOffsetX;
  p.y = static_cast<float>(crt::rand() % 9) * kStepY - kOffsetY;
  p.z = static_cast<float>(crt::rand() % 9000) * kDriftZ;
  p.vx = DrawDifference(9000) * kDriftX;
  p.vy = static_cast<float>(crt::rand() % 9000) * kRiseSpeed;
  p.vz = static_cast<float>(crt::rand() % 90000) * kDriftZ;
  p.ax = 0.0f;
  p.ay = kRiseAcceleration;
  p.az = 0.0f;
  p.life = kStartLife;
  p.fade = static_cast<float>(crt::rand() % 50) * kFadeStep;
}

void BubbleEmitter::Update() {
  for (int i = 0; i < active_; ++i) {
    BubbleParticle& p = particles_[i];
    p.x += p.vx;
    p.y += p.vy;
    p.z += p.vz;
    p.vy += p.ay;
    p.life -= p.fade;
    if (p.y <= kLowestY || p.y >= kHighestY || p.life <= 0.0f) Rebirth(p);
  }
}

void BubbleEmitter::Step(int n) {
  active_ = n < 0 ? 0 : (n > poolSize_ ? poolSize_ : n);
  shownCount_ = shown_ ? active_ : 0;
  for (int i = 0; i < shownCount_; ++i) {
    const BubbleParticle& p = particles_[i];
    const float jx = static_cast<float>(crt::rand() % kWobbleSpread) * kWobbleStep;
    const float jz = static_cast<float>(crt::rand() % kWobbleSpread) * kWobbleStep;
    shown_[i] = {p.x + jx, p.y, p.z + jz, p.halfSize};
  }
  Update();
}

void BubbleEmitter::Draw() const {
  glBindTexture(GL_TEXTURE_2D, texture_);
  glBegin(GL_QUADS);
  for (int i = 0; i < shownCount_; ++i) {
    const ShownBubble& b = shown_[i];
    const float s = b.halfSize;
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(b.x - s, b.y - s, b.z);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(b.x - s, b.y + s, b.z);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(b.x + s, b.y + s, b.z);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(b.x + s, b.y - s, b.z);
  }
  glEnd();
}

void PlaceBubbleEmitters(BubbleEmitter (&emitters)[kEmitterCount],
                         float (&positions)[kEmitterCount][3], const TankBox& box, int qipaonum) {
  for (int k = 0; k < kEmitterCount; ++k) {
    positions[k][0] = 0.0f;
    positions[k][1] = box.bottom - kEmitterBelowFloor;
    positions[k][2] = box.back - kEmitterDepths[k];
    emitters[k].Initialise(kBubblePoolSize);
    for (int step = 0; step < kStartupSteps; ++step) emitters[k].Step(BubbleAmount(qipaonum));
  }
}

}  // namespace tank
