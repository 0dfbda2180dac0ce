#include "fish/SpeciesFish.h"

namespace fish {

SpeciesFish::SpeciesFish() {
  size = crt::rand() % 10 == 0 ? kPoolSizeBig : kPoolSizeUsual;
  speed = 0.2f;
  targetPitch = static_cast<float>(crt::rand() % 45);
  targetHeading = static_cast<float>(crt::rand() % 180);
  wanderTimer = crt::rand() % 200;
}

void SpeciesFish::resize(float amount, bool grow) {
  const float next = grow ? static_cast<float>(size) + amount : static_cast<float>(size) - amount;
  size = static_cast<int>(next);
  if (size < kPoolSizeMin) size = kPoolSizeMin;
  if (size > kPoolSizeMax) size = kPoolSizeMax;
}

void SpeciesFish::touch() {
  if (startleZone()) changeHeading(0.0f, true, kHeadingStartle);
  approachSpeed(kTouchSpeedStep, kTouchSpeed);
}

void SpeciesFish::onWanderSpeed(float targetSpeed) {
  const float c = targetSpeed >= kBriskSpeed ? kBriskFactor : 1.0f;
  bodyWave.waveNumber = kBodyWaveNumber;
  bodyWave.phaseStep = c * kQuickPhaseStep;
  bodyWave.amplitude = c * kBodyWaveAmplitude;
  pectoralWave.waveNumber = kPectoralRetunedWaveNumber;
  pectoralWave.amplitude = c * kPectoralRetunedAmplitude;
  pectoralWave.phaseStep = c * kPectoralRetunedPhaseStep;
}

}  // namespace fish
