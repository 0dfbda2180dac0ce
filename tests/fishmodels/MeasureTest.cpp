#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "LargeFish.h"
#include "Measure.h"
#include "SlowFish.h"

namespace {

using fishgen::SlowJoints;
using fishgen::SlowPart;
using fishgen::V3;

// A trunk of two strips of circular rings (radius 1, 12 columns) well in front of the
// origin: strip 0 from x = 4 to 6, strip 1 from its front ring at x = 5.5 (radius `front`)
// to x = 8. Joints at 4, 6 and 8.
std::vector<SlowPart> TwoStripTrunk(double front) {
  fishgen::PartGrid g;
  g.name = "trunk";
  g.rows = 4;
  g.cols = 12;
  const double ringX[4] = {4.0, 6.0, 8.0, 5.5};
  const double radius[4] = {1.0, 1.0, 1.0, front};
  for (int r = 0; r < g.rows; ++r)
    for (int c = 0; c < g.cols; ++c) {
      const double a = 2 * fishgen::kPi * c / (g.cols - 1);
      g.pos.push_back({ringX[r], radius[r] * std::sin(a), radius[r] * std::cos(a)});
      g.nrm.push_back({0, std::sin(a), std::cos(a)});
      g.tex.push_back({0, 0});
    }
  g.strips = {{0, 1}, {3, 2}};
  return {{g, -1, {}}};
}

const SlowJoints kTwoStripJoints{{4.0, 6.0, 8.0}, 0};

}  // namespace

// The gap is how far (tank units, size 8) a front ring stands outside the strip before it:
// just under the tolerance passes, just over fails, tucked in is 0.
TEST(KoiStripGap, MeasuresHowFarAFrontRingStandsOut) {
  const double inside = 0.045 / fishgen::kSlowSize, outside = 0.055 / fishgen::kSlowSize;
  const double under = fishgen::KoiStripGap(TwoStripTrunk(1.0 + inside), kTwoStripJoints, 0.0);
  const double over = fishgen::KoiStripGap(TwoStripTrunk(1.0 + outside), kTwoStripJoints, 0.0);
  EXPECT_NEAR(under, 0.045, 2e-3);
  EXPECT_NEAR(over, 0.055, 2e-3);
  EXPECT_LE(under, fishgen::kStripGapTolerance);
  EXPECT_GT(over, fishgen::kStripGapTolerance);
  EXPECT_EQ(fishgen::KoiStripGap(TwoStripTrunk(0.9), kTwoStripJoints, 0.0), 0.0);
  // A ring tucked to 0.6, half a unit in front of its joint, stays hidden when the strip
  // turns about that joint by 13.77 degrees either way, not when it turns about the origin
  // (six units behind the joint, so the ring slides out sideways).
  EXPECT_EQ(fishgen::KoiStripGap(TwoStripTrunk(0.6), kTwoStripJoints, fishgen::kSlowMaxBendStep), 0.0);
  EXPECT_GT(fishgen::KoiStripGapAboutOrigin(TwoStripTrunk(0.6), fishgen::kSlowMaxBendStep), 0.0);
}

// The koi the tank draws: every strip hides its neighbour's front ring from straight up to
// the largest bend the turn can make; turned about the fish's middle it would fall apart.
TEST(KoiStripGap, TheKoiHoldsTogetherUpToTheLargestBend) {
  const auto slow = fishgen::BuildSlowFish();
  const SlowJoints joints = fishgen::BuildSlowJoints();
  ASSERT_EQ(joints.x.size(), 14u);
  for (double step : {0.0, 2.0, fishgen::kSlowMaxBendStep / 2, fishgen::kSlowMaxBendStep})
    EXPECT_LE(fishgen::KoiStripGap(slow, joints, step), fishgen::kStripGapTolerance) << step;
  EXPECT_GT(fishgen::KoiStripGapAboutOrigin(slow, fishgen::kSlowMaxBendStep), 1.0);
}

// The large fish's fin roots reach the body at both sizes with the offset scaled by
// size / 20; with the fixed offset the small fish's fins hang metres off.
TEST(LargeFinRootDistance, FinsReachTheBodyAtBothSizesOnlyWithTheScaledOffset) {
  const fishgen::LargeFishModel large = fishgen::BuildLargeFish();
  for (double size : {8.0, 20.0})
    EXPECT_LE(fishgen::LargeFinRootDistance(large, {size, true}) / size,
              fishgen::kFinRootTolerance)
        << size;
  EXPECT_GT(fishgen::LargeFinRootDistance(large, {8.0, false}) / 8.0,
            10 * fishgen::kFinRootTolerance);
  // At the usual size the fixed and the scaled offsets are the same.
  EXPECT_DOUBLE_EQ(fishgen::LargeFinRootDistance(large, {20.0, false}),
                   fishgen::LargeFinRootDistance(large, {20.0, true}));
}
