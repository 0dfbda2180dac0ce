#include <gtest/gtest.h>

#include <chrono>

#include "view/FrameDriver.h"
#include "view/FrameSchedule.h"
#include "view/Scene.h"

// The window's schedule without a GL context: no frames, but the ticks keep to the refresh
// interval (which hands the built-in tune on), counted from the tick's own time.
namespace {

using Clock = view::FrameSchedule::Clock;
using std::chrono::milliseconds;

TEST(FrameSchedule, TicksWithoutAContextKeepToTheFrameIntervalOfTheirOwnTime) {
  view::Scene scene;
  view::FrameDriver driver(scene);
  view::FrameSchedule schedule(driver);
  // A time far from the real clock: the schedule must go by the time it is given.
  const Clock::time_point t0{};
  auto next = schedule.AfterTick(t0, view::ViewState::kNoContext, true);
  EXPECT_FALSE(next.repaint);
  EXPECT_TRUE(next.tuneTick);
  EXPECT_EQ(next.tickAfterMs, 17) << "one frame interval, 16.67 ms, in whole milliseconds";

  // A tick that comes early waits out the rest of the interval and hands nothing on.
  next = schedule.AfterTick(t0 + milliseconds(5), view::ViewState::kNoContext, true);
  EXPECT_FALSE(next.tuneTick);
  EXPECT_EQ(next.tickAfterMs, 12);
  next = schedule.AfterTick(t0 + milliseconds(16), view::ViewState::kNoContext, true);
  EXPECT_FALSE(next.tuneTick) << "just inside the interval";
  EXPECT_EQ(next.tickAfterMs, 1);
  next = schedule.AfterTick(t0 + milliseconds(17), view::ViewState::kNoContext, true);
  EXPECT_TRUE(next.tuneTick) << "just past it";
  EXPECT_EQ(next.tickAfterMs, 17);
}

}  // namespace
