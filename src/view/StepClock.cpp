#include "view/StepClock.h"

#include <algorithm>
#include <cmath>

namespace view {
namespace {

constexpr double kStepSeconds = std::chrono::duration<double>(kStepLength).count();

}  // namespace

int StepClock::Locked(double tolerance) const {
  return std::fabs(mean_ - kStepSeconds) <= tolerance * kStepSeconds ? 1 : 0;
}

int StepClock::StepsFor(Clock::time_point now) {
  if (!running_ || now - last_ > kPauseGap) {
    running_ = true;
    last_ = now;
    owed_ = 0.0;
    return 1;
  }
  const double dt = std::chrono::duration<double>(now - last_).count();
  last_ = now;
  if (dt <= 0.0) return 0;

  // An interval far from the estimate (a new display rate, a frame that came late) starts
  // the estimate again; until it settles the time owed is paid.
  if (intervals_ > 0 && std::fabs(dt - mean_) > kEstimateRestart * mean_) {
    intervals_ = 0;
    if (locked_ != 0) owed_ = 0.0;
    locked_ = 0;
  }
  ++intervals_;
  const double weight = std::max(kIntervalSmoothing, 1.0 / intervals_);
  mean_ += weight * (dt - mean_);
  if (locked_ != 0) locked_ = Locked(kUnlockTolerance);
  if (locked_ == 0 && intervals_ >= kIntervalsBeforeLock) locked_ = Locked(kLockTolerance);
  if (locked_ != 0) {
    owed_ = 0.0;
    return locked_;
  }
  owed_ += dt;
  const double whole = std::round(owed_ / kStepSeconds);
  if (whole > kMaxStepsPerFrame) {
    owed_ = 0.0;
    return kMaxStepsPerFrame;
  }
  const int steps = static_cast<int>(whole);
  owed_ -= steps * kStepSeconds;
  return steps;
}

}  // namespace view
