#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <vector>

#include "view/StepClock.h"

// The step clock's schedule on displays of many rates, with and without timing jitter.
namespace {

using Clock = view::StepClock::Clock;
using std::chrono::duration_cast;
using std::chrono::nanoseconds;

// A small deterministic generator for the jitter (the tank's own generator stays untouched).
struct Jitter {
  std::uint32_t state = 12345;
  // Uniform in [-limit, +limit] nanoseconds.
  long long Next(long long limit) {
    state = state * 1664525u + 1013904223u;
    const double unit = (state >> 8) / static_cast<double>(1u << 24);  // [0, 1)
    return static_cast<long long>((unit * 2.0 - 1.0) * static_cast<double>(limit));
  }
};

struct Schedule {
  std::vector<int> steps;  // per frame
  long total = 0;
  int most = 0;
};

// Frames at `hz` for `seconds`, each stamped up to `jitterMs` early or late.
Schedule Cadence(double hz, double seconds, double jitterMs = 0.0) {
  view::StepClock clock;
  Jitter jitter;
  const Clock::time_point start{};
  const double period = 1e9 / hz;
  const int frames = static_cast<int>(seconds * hz);
  Schedule s;
  for (int i = 0; i < frames; ++i) {
    const long long noise = jitterMs > 0 ? jitter.Next(static_cast<long long>(jitterMs * 1e6)) : 0;
    const auto at = start + nanoseconds(static_cast<long long>(i * period) + noise + 1'000'000'000);
    const int n = clock.StepsFor(at);
    s.steps.push_back(n);
    s.total += n;
    if (n > s.most) s.most = n;
  }
  return s;
}

TEST(StepClock, SixtyStepsASecondOnEveryDisplayRateWithAndWithoutJitter) {
  for (const double hz : {30.0, 50.0, 60.0, 75.0, 120.0, 144.0, 240.0, 20.0}) {
    for (const double jitter : {0.0, 2.0}) {
      const double seconds = 20.0;
      const Schedule s = Cadence(hz, seconds, jitter);
      const double perSecond = static_cast<double>(s.total) / seconds;
      EXPECT_NEAR(perSecond, 60.0, 1.0) << hz << " Hz, jitter " << jitter << " ms";
      EXPECT_LE(s.most, view::kMaxStepsPerFrame);
    }
  }
}

TEST(StepClock, ExactlyOneStepEveryFrameOnASixtyHertzDisplayEvenWithJitter) {
  // Also a display a few per cent off 60 Hz: its frames still take one step each.
  for (const double hz : {60.0, 59.94, 58.5, 61.5}) {
    for (const double jitter : {0.0, 1.0, 2.0}) {
      const Schedule s = Cadence(hz, 30.0, jitter);
      for (std::size_t i = 0; i < s.steps.size(); ++i)
        ASSERT_EQ(s.steps[i], 1) << hz << " Hz, jitter " << jitter << " ms, frame " << i;
    }
  }
}

TEST(StepClock, ThirtyAndTwentyHertzTakeTwoAndThreeStepsEveryFrameEvenWithJitter) {
  for (const auto& [hz, steps] : {std::pair{30.0, 2}, std::pair{20.0, 3}}) {
    const Schedule s = Cadence(hz, 10.0, 2.0);
    for (std::size_t i = 1; i < s.steps.size(); ++i)
      ASSERT_EQ(s.steps[i], steps) << hz << " Hz, frame " << i;
  }
}

// Frames drawn in software come as they are done, each a little longer or shorter than the
// last: the tank still keeps time, whatever whole number of steps they average near.
TEST(StepClock, FramesOfVaryingLengthKeepTime) {
  for (const auto& [shortest, longest] : {std::pair{40.0, 56.0}, std::pair{30.0, 38.0},
                                          std::pair{18.0, 22.0}, std::pair{20.0, 45.0}}) {
    view::StepClock clock;
    Jitter jitter;
    Clock::time_point t{};
    long steps = 0;
    double seconds = 0;
    while (seconds < 30.0) {
      const double ms = (shortest + longest) / 2 + jitter.Next(1'000'000) / 1e6 * (longest - shortest) / 2;
      t += nanoseconds(static_cast<long long>(ms * 1e6));
      seconds += ms / 1000.0;
      steps += clock.StepsFor(t);
    }
    EXPECT_NEAR(steps / seconds, 60.0, 1.0) << shortest << " to " << longest << " ms";
  }
}

TEST(StepClock, FasterDisplaysGetFramesWithoutAStepAndNeverTwo) {
  for (const double hz : {75.0, 120.0, 144.0, 240.0}) {
    const Schedule s = Cadence(hz, 10.0, 1.0);
    int none = 0;
    for (std::size_t i = 1; i < s.steps.size(); ++i) {
      ASSERT_LE(s.steps[i], 1) << hz << " Hz, frame " << i;
      none += s.steps[i] == 0;
    }
    EXPECT_NEAR(none, static_cast<double>(s.steps.size()) * (1.0 - 60.0 / hz), 0.02 * s.steps.size()) << hz;
  }
}

// Below 15 frames a second (four steps' time) the tank slows down: four steps a frame and
// no backlog; at 15 it still keeps time.
TEST(StepClock, AFrameRunsAtMostFourStepsAndSlowerFramesSlowTheTank) {
  const Schedule fifteen = Cadence(15.0, 10.0);
  EXPECT_NEAR(fifteen.total / 10.0, 60.0, 1.0);
  const Schedule ten = Cadence(10.0, 10.0);
  for (std::size_t i = 1; i < ten.steps.size(); ++i) ASSERT_EQ(ten.steps[i], 4) << i;
  EXPECT_NEAR(ten.total / 10.0, 40.0, 1.0);
  const Schedule fourteen = Cadence(1000.0 / 72.0, 10.0);
  EXPECT_EQ(fourteen.most, view::kMaxStepsPerFrame);
  EXPECT_LT(fourteen.total / 10.0, 58.0);
}

TEST(StepClock, ALongPauseResumesWithOneStepAndNoBacklog) {
  view::StepClock clock;
  Clock::time_point t{};
  t += std::chrono::seconds(5);
  EXPECT_EQ(clock.StepsFor(t), 1);  // the first frame
  for (int i = 0; i < 100; ++i) {
    t += view::kStepLength;
    ASSERT_EQ(clock.StepsFor(t), 1);
  }
  EXPECT_EQ(clock.LockedSteps(), 1);
  // Frames stopped coming for ten seconds (a suspended machine, no frame callbacks).
  t += std::chrono::seconds(10);
  EXPECT_EQ(clock.StepsFor(t), 1);
  t += view::kStepLength;
  EXPECT_EQ(clock.StepsFor(t), 1);
  // Just under the pause gap a late frame still catches up (a whole 4 steps), just over it
  // is a pause.
  t += view::kPauseGap - std::chrono::milliseconds(1);
  EXPECT_EQ(clock.StepsFor(t), view::kMaxStepsPerFrame);
  t += view::kPauseGap + std::chrono::milliseconds(1);
  EXPECT_EQ(clock.StepsFor(t), 1);
  // Held frames: whatever time passes, the next frame runs one step.
  t += view::kStepLength;
  clock.StepsFor(t);
  clock.Hold();
  t += std::chrono::milliseconds(100);
  EXPECT_EQ(clock.StepsFor(t), 1);
  t += view::kStepLength;
  EXPECT_EQ(clock.StepsFor(t), 1);
}

TEST(StepClock, ALockedDisplayCatchesUpAFrameThatCameLate) {
  view::StepClock clock;
  Clock::time_point t{};
  for (int i = 0; i < 60; ++i) {
    t += view::kStepLength;
    clock.StepsFor(t);
  }
  ASSERT_EQ(clock.LockedSteps(), 1);
  t += 3 * view::kStepLength;  // two refreshes missed
  EXPECT_EQ(clock.StepsFor(t), 3);
  t += view::kStepLength;
  EXPECT_EQ(clock.StepsFor(t), 1);
  // A display well off 60 Hz never locks: 5 % is the edge (16.67 ms +- 0.83).
  view::StepClock off;
  Clock::time_point u{};
  for (int i = 0; i < 100; ++i) {
    u += view::kStepLength * 106 / 100;
    off.StepsFor(u);
  }
  EXPECT_EQ(off.LockedSteps(), 0);
  view::StepClock near;
  Clock::time_point v{};
  for (int i = 0; i < 100; ++i) {
    v += view::kStepLength * 104 / 100;
    near.StepsFor(v);
  }
  EXPECT_EQ(near.LockedSteps(), 1);
}

}  // namespace
