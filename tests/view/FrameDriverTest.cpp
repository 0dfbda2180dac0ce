#include <GL/gl.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <vector>

#include "SceneFixture.h"
#include "TankState.h"
#include "platform/CrtRand.h"
#include "ui/CommandId.h"
#include "view/FrameDriver.h"

// The scene's draw against its step, and the frame driver that runs them on a clock.
namespace {

using Clock = view::StepClock::Clock;

// Everything a draw could move besides the fish, pellets and bubbles.
std::uint64_t WholeState(view::Scene& s) {
  std::uint64_t h = tankstate::TankStateHash(s);
  tankstate::Mix(h, s.overlay().visible());
  tankstate::Mix(h, s.overlay().shownSteps());
  tankstate::Mix(h, s.pickBars().vertical(0).x);
  tankstate::Mix(h, s.pickBars().horizontal(0).y);
  for (int i = 0; i < 100; ++i) tankstate::Mix(h, s.poolFish(i).species);
  tankstate::Mix(h, crt::randState());
  return h;
}

// Food, bubbles, the overlay and a turning tank: a draw shows the last step and changes
// nothing, however often it is repeated; in Touch mode too, where the step picks fish.
TEST(SceneDraw, DrawingChangesNoStateTakesNoRandomDrawAndRepeatsThePicture) {
  SceneFixture f(480, 270);
  f.WriteCounts(2);
  ASSERT_TRUE(f.Start());
  view::Scene& s = *f.scene;
  for (int step = 0; step < 150; ++step) {
    if (step % 10 == 0) {
      s.OnMouseMove(120 + step, 135);
      s.OnLeftDown(120 + step, 135);
      s.OnLeftUp();
    }
    s.Step();
  }
  ASSERT_GT(s.activePellets(), 0);
  // The first picture after start-up still draws with fog and blending, which the bubbles
  // then turn off for good: every later one starts from the same GL state.
  s.Draw();
  for (const int mode : {kCmdFeed, kCmdTouch}) {
    s.SetMode(mode);
    s.OnMouseMove(240, 135);
    s.OnLeftDown(240, 135);
    s.Step();
    s.ToggleOverlay();
    s.Step();
    const std::uint64_t before = WholeState(s);
    s.Draw();
    glFinish();
    const std::vector<std::uint8_t> first = f.gl.pixels();
    s.Draw();
    s.Draw();
    glFinish();
    EXPECT_EQ(WholeState(s), before) << mode;
    EXPECT_TRUE(f.gl.pixels() == first) << mode;
    // A step does move the tank on: the hash can tell.
    s.Step();
    EXPECT_NE(WholeState(s), before) << mode;
  }
}

struct DrivenScene : testing::Test {
  void SetUp() override {
    fixture.WriteCounts(1);
    ASSERT_TRUE(fixture.Start());
  }
  // Frames at `hz` from `at` on until the overlay has gone or `seconds` have passed;
  // returns the time the overlay went.
  double OverlayGoesAfter(double hz, double seconds) {
    const auto period = std::chrono::nanoseconds(static_cast<long long>(1e9 / hz));
    const Clock::time_point begin = at;
    while (at - begin < std::chrono::duration<double>(seconds)) {
      driver.Frame(at);
      if (!fixture.scene->overlay().visible()) break;
      at += period;
    }
    return std::chrono::duration<double>(at - begin).count();
  }
  SceneFixture fixture{160, 90};
  view::FrameDriver driver{*fixture.scene};
  Clock::time_point at = Clock::now();
};

TEST_F(DrivenScene, TheOverlayLastsAHundredStepsOfWallClockAtEveryRate) {
  for (const double hz : {60.0, 144.0, 240.0, 20.0}) {
    const double gone = OverlayGoesAfter(hz, 5.0);
    // 100 steps shown; it goes in step 101.
    EXPECT_NEAR(gone, 100.0 / 60.0, 2.0 / hz + 0.02) << hz << " Hz";
    fixture.scene->ToggleOverlay();  // F1: shown again
    at += std::chrono::milliseconds(1000);  // a pause between the showings
  }
}

TEST_F(DrivenScene, AFrameWithNoStepDueDrawsNothingUnlessARedrawIsAsked) {
  EXPECT_TRUE(driver.Frame(at));  // the first frame: one step, drawn
  EXPECT_EQ(driver.lastSteps(), 1);
  EXPECT_EQ(fixture.scene->revealCount(), 1);
  // However long the first frame took to show, the next runs one step: the time starts.
  at += std::chrono::milliseconds(200);
  EXPECT_TRUE(driver.Frame(at));
  EXPECT_EQ(driver.lastSteps(), 1);
  // A refresh 4 ms later (a 240 Hz display) has no step due.
  at += std::chrono::milliseconds(4);
  const std::uint64_t before = WholeState(*fixture.scene);
  EXPECT_FALSE(driver.Frame(at));
  EXPECT_EQ(driver.lastSteps(), 0);
  EXPECT_EQ(driver.framesDrawn(), 2);
  EXPECT_EQ(WholeState(*fixture.scene), before);
  driver.RequestRedraw();
  at += std::chrono::milliseconds(1);
  EXPECT_TRUE(driver.Frame(at));
  EXPECT_EQ(driver.lastSteps(), 0);
  EXPECT_EQ(WholeState(*fixture.scene), before);
  // Held frames: a minute later the tank goes on by one step.
  driver.Hold();
  at += std::chrono::minutes(1);
  EXPECT_TRUE(driver.Frame(at));
  EXPECT_EQ(driver.lastSteps(), 1);
  EXPECT_EQ(fixture.scene->revealCount(), 3);
  EXPECT_EQ(driver.stepsRun(), 3);
}

}  // namespace
