// Plain logic of the shell: frame pacing and menu geometry.
#include <gtest/gtest.h>

#include <algorithm>

#include "ui/IconMenuLayout.h"
#include "view/FramePacer.h"

using namespace std::chrono_literals;

TEST(FramePacer, WaitsForTheRestOfTheRefreshInterval) {
  view::FramePacer pacer;
  const auto t0 = view::FramePacer::Clock::time_point{} + 10s;
  EXPECT_EQ(pacer.WaitBeforeFrame(t0).count(), 0) << "the first frame never waits";
  pacer.FrameStarted(t0);
  EXPECT_EQ(pacer.WaitBeforeFrame(t0 + 1ms).count(), 16);  // 15.667 ms rounds up
  EXPECT_EQ(pacer.WaitBeforeFrame(t0 + 10ms).count(), 7);
  EXPECT_EQ(pacer.WaitBeforeFrame(t0 + 16600us).count(), 1) << "a sliver still waits 1 ms";
  EXPECT_EQ(pacer.WaitBeforeFrame(t0 + 16667us).count(), 0);
  EXPECT_EQ(pacer.WaitBeforeFrame(t0 + 50ms).count(), 0) << "a slow frame draws at once";
  pacer.FrameStarted(t0 + 50ms);
  EXPECT_EQ(pacer.WaitBeforeFrame(t0 + 51ms).count(), 16) << "measured from the last frame";
}

// Frames that take part of the interval: a tick every millisecond after each frame, as the
// window's timer does. Counting the interval from each frame's start keeps 60 frames a second
// for any frame shorter than the interval; counted from its end, 10 ms frames gave only 37.
int FramesInOneSecond(std::chrono::microseconds frameTime, bool displayPaces = false) {
  view::FramePacer pacer;
  pacer.SetDisplayPaces(displayPaces);
  auto now = view::FramePacer::Clock::time_point{} + 1s;
  const auto end = now + 1s;
  int frames = 0;
  while (now < end) {
    const auto wait = pacer.WaitBeforeFrame(now);
    if (wait.count() == 0) {
      pacer.FrameStarted(now);
      ++frames;
      now += frameTime;
    }
    now += std::max<std::chrono::microseconds>(wait, 1ms);
  }
  return frames;
}

TEST(FramePacer, CountsTheIntervalFromEachFramesStart) {
  EXPECT_GE(FramesInOneSecond(10ms), 58) << "short frames keep the display's pace";
  EXPECT_LE(FramesInOneSecond(10ms), 60);
  EXPECT_GE(FramesInOneSecond(16ms), 56) << "a frame just inside the interval adds no wait";
  // Longer than the interval: the next frame follows at once (1 ms tick), nothing is added.
  EXPECT_GE(FramesInOneSecond(17ms), 55);
  const int slow = FramesInOneSecond(25ms);
  EXPECT_GE(slow, 37) << "a 25 ms frame is followed at once";
  EXPECT_LE(slow, 40);
}

TEST(FramePacer, AddsNoWaitWhereTheDisplayAlreadyPaces) {
  view::FramePacer pacer;
  pacer.SetDisplayPaces(true);
  const auto t0 = view::FramePacer::Clock::time_point{} + 10s;
  pacer.FrameStarted(t0);
  EXPECT_EQ(pacer.WaitBeforeFrame(t0 + 1ms).count(), 0);
  EXPECT_GT(FramesInOneSecond(2ms, true), 300) << "the display, not the pacer, sets the pace";
}

TEST(FramePacer, NeverMoreThanOneFramePerIntervalAtAnyTickRate) {
  // Ticks every millisecond for one second: the pacer lets through at most 60 frames.
  view::FramePacer pacer;
  const auto start = view::FramePacer::Clock::time_point{} + 1s;
  int frames = 0;
  for (int ms = 0; ms < 1000; ++ms) {
    const auto now = start + std::chrono::milliseconds(ms);
    if (pacer.WaitBeforeFrame(now).count() == 0) {
      pacer.FrameStarted(now);
      ++frames;
    }
  }
  EXPECT_GE(frames, 55);
  EXPECT_LE(frames, 60);
}

TEST(IconMenuLayout, ItemsHitTestsAndKeyboardSteps) {
  EXPECT_EQ(ui::ItemRect(0).y, 0);
  EXPECT_EQ(ui::ItemRect(3).y, 144);
  EXPECT_EQ(ui::ItemRect(7).width, 140);
  EXPECT_EQ(ui::ItemRect(7).height, 48);

  EXPECT_EQ(ui::ItemAt(0, 0, 8), 0);
  EXPECT_EQ(ui::ItemAt(139, 47, 8), 0);
  EXPECT_EQ(ui::ItemAt(139, 48, 8), 1);
  EXPECT_EQ(ui::ItemAt(70, 383, 8), 7);
  EXPECT_EQ(ui::ItemAt(70, 384, 8), -1) << "below the last item";
  EXPECT_EQ(ui::ItemAt(140, 10, 8), -1) << "right of the items";
  EXPECT_EQ(ui::ItemAt(-1, 10, 8), -1);
  EXPECT_EQ(ui::ItemAt(10, -1, 8), -1);

  EXPECT_EQ(ui::StepSelection(-1, +1, 8), 0) << "down from nothing: the first item";
  EXPECT_EQ(ui::StepSelection(-1, -1, 8), 7) << "up from nothing: the last item";
  EXPECT_EQ(ui::StepSelection(7, +1, 8), 0);
  EXPECT_EQ(ui::StepSelection(0, -1, 8), 7);
  EXPECT_EQ(ui::StepSelection(3, +1, 8), 4);
  EXPECT_EQ(ui::StepSelection(0, +1, 0), -1);
}

TEST(IconMenuLayout, OpensAtTheClickAndStaysOnScreen) {
  const ui::MenuRect screen{0, 0, 1920, 1080};
  auto at = ui::PlaceMenu(500, 300, 140, 384, screen);
  EXPECT_EQ(at.x, 500);
  EXPECT_EQ(at.y, 300);
  at = ui::PlaceMenu(1780, 696, 140, 384, screen);  // just fits, both ways
  EXPECT_EQ(at.x, 1780);
  EXPECT_EQ(at.y, 696);
  at = ui::PlaceMenu(1850, 900, 140, 384, screen);  // bottom-right corner: opens up and left
  EXPECT_EQ(at.x, 1710);
  EXPECT_EQ(at.y, 516);
  at = ui::PlaceMenu(100, 200, 140, 384, {0, 0, 200, 300});  // taller than either side
  EXPECT_EQ(at.y, 0);
  const ui::MenuRect second{1920, 0, 1280, 1024};  // a screen right of the first
  at = ui::PlaceMenu(3150, 10, 140, 384, second);
  EXPECT_EQ(at.x, 3010);
  EXPECT_EQ(at.y, 10);
}
