#pragma once
#include "tank/FoodPellet.h"
#include "tank/TankBox.h"

// The invisible pick bars that turn the mouse position into a world x and y for dropping
// food: 101 thin vertical and 51 thin horizontal bars at z = -70 that slowly drift back and
// forth around the tank's left and bottom edges. They are only ever drawn in selection mode.
namespace view {

inline constexpr int kVerticalBarCount = 101;
inline constexpr int kHorizontalBarCount = 51;
inline constexpr float kVerticalBarSpacing = 0.990099f;  // 100 / 101
inline constexpr float kHorizontalBarStep = 0.02f;       // of the tank height
inline constexpr float kBarDepth = -70.0f;
inline constexpr double kBarPickRegion = 15.0;  // pixels
inline constexpr double kDriftStep = 0.1;
inline constexpr double kDriftSwing = 1.0;      // around the left and bottom edge
inline constexpr float kDropBelowPick = 2.0f;   // food appears this far below the pick
inline constexpr float kDropDepth = -70.0f;

struct BarPoint {
  float x = 0, y = 0, z = 0;
};

class PickBars {
 public:
  // Lays the bars out over the tank box (scene start-up, after the fish are placed).
  void Place(const tank::TankBox& box);

  // Each step moves every bar 0.1 along its axis, reversing at 1.0 beyond the left (bottom) edge.
  void Drift(const tank::TankBox& box);

  // The first bar in index order under the mouse wins (15 x 15 pixel pick square).
  // Returns false (and leaves *x untouched) when no bar is hit.
  bool PickX(int mouseX, int mouseY, float* x) const;
  bool PickY(int mouseX, int mouseY, float* y) const;

  // One step of the feed stage: drift, pick, and while a feed click is pending latch each
  // picked coordinate that lies inside the tank box; once both are latched, drop the first
  // free pellet at (x, y - 2, -70) and clear the click (a click finding all 20 pellets in
  // the tank is used up). Returns the dropped pellet's index, -1 when none was dropped.
  int FeedStage(const tank::TankBox& box, int mouseX, int mouseY, bool& feedClickPending,
                tank::FoodPellet (&pellets)[tank::kPelletCount]);

  const BarPoint& vertical(int k) const { return vertical_[k]; }
  const BarPoint& horizontal(int k) const { return horizontal_[k]; }
  bool xLatched() const { return xLatched_; }
  bool yLatched() const { return yLatched_; }
  float latchedX() const { return latchedX_; }
  float latchedY() const { return latchedY_; }

 private:
  BarPoint vertical_[kVerticalBarCount];
  BarPoint horizontal_[kHorizontalBarCount];
  bool xLatched_ = false;
  bool yLatched_ = false;
  float latchedX_ = 0.0f;
  float latchedY_ = 0.0f;
  bool xDriftUp_ = false;
  bool yDriftUp_ = true;
};

}  // namespace view
