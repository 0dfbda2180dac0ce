#include <gtest/gtest.h>

#include <chrono>

#include "view/FrameDriver.h"
#include "view/FrameSchedule.h"
#include "view/RateCap.h"
#include "view/Scene.h"

// The frame-rate cap on its own and inside the window's schedule.
namespace {

using Clock = view::RateCap::Clock;
using std::chrono::microseconds;
using std::chrono::milliseconds;

// Frames that a display refreshing every `refresh` lets through in `span` when each refresh
// draws a frame as soon as the cap allows it.
int FramesOnDisplay(view::RateCap& cap, microseconds refresh, std::chrono::seconds span) {
  const Clock::time_point start{};
  int frames = 0;
  for (auto t = start; t < start + span; t += refresh) {
    if (cap.Wait(t).count() == 0) {
      cap.FrameStarted(t);
      ++frames;
    }
  }
  return frames;
}

TEST(RateCap, KeepsToTheRateOnDisplaysOfEveryPace) {
  // 30 a second on 60, 144 and 240 Hz displays and on a 1 ms tick; the cadence is kept, so
  // a refresh that comes just after the due time does not lose a frame.
  for (const microseconds refresh : {microseconds(16667), microseconds(6944), microseconds(4167),
                                     microseconds(1000)}) {
    view::RateCap cap(30);
    const int frames = FramesOnDisplay(cap, refresh, std::chrono::seconds(10));
    EXPECT_GE(frames, 299) << refresh.count();
    EXPECT_LE(frames, 301) << refresh.count();
  }
  // A display slower than the cap is not held back.
  view::RateCap fast(240);
  EXPECT_EQ(FramesOnDisplay(fast, microseconds(16667), std::chrono::seconds(1)), 60);
  view::RateCap one(1);
  EXPECT_EQ(FramesOnDisplay(one, microseconds(16667), std::chrono::seconds(10)), 10);
}

TEST(RateCap, WaitsTheRestOfTheIntervalInWholeMilliseconds) {
  view::RateCap cap(25);  // 40 ms
  const Clock::time_point t0{};
  EXPECT_EQ(cap.Wait(t0), milliseconds(0)) << "the first frame never waits";
  cap.FrameStarted(t0);
  EXPECT_EQ(cap.Wait(t0 + milliseconds(10)), milliseconds(30));
  EXPECT_EQ(cap.Wait(t0 + milliseconds(40) - microseconds(1)), milliseconds(1)) << "just inside";
  EXPECT_EQ(cap.Wait(t0 + milliseconds(40)), milliseconds(0)) << "due";

  // Late by less than an interval: the next is due on the old cadence...
  cap.FrameStarted(t0 + milliseconds(55));
  EXPECT_EQ(cap.Wait(t0 + milliseconds(79) + microseconds(1)), milliseconds(1));
  EXPECT_EQ(cap.Wait(t0 + milliseconds(80)), milliseconds(0)) << "due at 80, not 95";
  // ...but never sooner than half an interval after the late one.
  cap.FrameStarted(t0 + milliseconds(119));
  EXPECT_EQ(cap.Wait(t0 + milliseconds(120)), milliseconds(19)) << "due at 139, not 120";
  // Late by a whole interval or more: a new cadence from this frame, no catching up.
  cap.FrameStarted(t0 + milliseconds(179));  // due 139, 40 late
  EXPECT_EQ(cap.Wait(t0 + milliseconds(180)), milliseconds(39));
  cap.FrameStarted(t0 + milliseconds(230));  // due 219: on the new cadence
  EXPECT_EQ(cap.Wait(t0 + milliseconds(230)), milliseconds(29)) << "due at 259";

  // A rate of 0 is no cap at all; a new rate starts afresh.
  cap.SetRate(0);
  EXPECT_FALSE(cap.Limits());
  cap.FrameStarted(t0 + milliseconds(300));
  EXPECT_EQ(cap.Wait(t0 + milliseconds(300)), milliseconds(0));
  cap.SetRate(10);
  EXPECT_EQ(cap.Wait(t0 + milliseconds(301)), milliseconds(0));
}

// The window's schedule asks for no repaint before the cap allows one, on top of its own
// wait for the display; without a cap it asks at once.
TEST(RateCap, TheScheduleHoldsRepaintsToTheCap) {
  view::Scene scene;
  view::FrameDriver driver(scene);
  view::FrameSchedule schedule(driver);
  schedule.PacedByDisplay();
  const Clock::time_point t0{};
  schedule.FrameStarted(t0);
  auto next = schedule.AfterTick(t0 + milliseconds(2), view::ViewState::kRunning, true);
  EXPECT_TRUE(next.repaint) << "no cap: the display paces";

  schedule.LimitRate(30);
  schedule.FrameStarted(t0 + milliseconds(5));
  next = schedule.AfterTick(t0 + milliseconds(6), view::ViewState::kRunning, true);
  EXPECT_FALSE(next.repaint);
  EXPECT_EQ(next.tickAfterMs, 33);  // due at 38.33 ms
  EXPECT_EQ(schedule.CapWait(t0 + milliseconds(38)), milliseconds(1));
  next = schedule.AfterTick(t0 + milliseconds(39), view::ViewState::kRunning, true);
  EXPECT_TRUE(next.repaint);
}

}  // namespace
