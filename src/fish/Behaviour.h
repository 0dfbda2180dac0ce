#pragma once
#include "fish/Population.h"
#include "fish/SpeciesFish.h"
#include "tank/FoodPellet.h"

// How pool fish react to food and to each other.
namespace fish {

inline constexpr float kSteerReach = 10.0f;     // a pellet this close across and up is chased
inline constexpr float kSlowReach = 3.0f;       // ... and this close the fish slows down
inline constexpr float kPullReachXY = 5.0f;     // pellets within these reaches drift to the mouth
inline constexpr float kPullReachZ = 15.0f;
inline constexpr float kEatReachXY = 2.0f;      // ... and within these they are eaten
inline constexpr float kEatReachZ = 5.0f;
inline constexpr float kPullRate = 0.005f;
inline constexpr float kNearVertical = 0.0001f; // denominators this small use the x10000 rule
inline constexpr float kSteepSlope = 10000.0f;
inline constexpr float kCrowdedAngle = 50.0f;   // lines further apart than this dodge sideways

using Pellets = tank::FoodPellet[tank::kPelletCount];

// Direction of the point (px, py) seen from the origin, folded into 0..90 degrees.
float PelletAngle(float px, float py);
// Slope dy/dx, or dy * 10000 when |dx| <= 0.0001.
float Slope(float dy, float dx);
// Angle in degrees (0..90) between two lines given by their slopes.
float TurnAngle(float s1, float s2);

// While the tank is in Feed mode: steer fish toward nearby active pellets (sets `feeding`);
// in any other mode nothing changes, and `feeding` keeps its last value.
void feedingSteer(SpeciesFish& fish, Pellets& pellets, bool feedMode);
// In every mode: nearby pellets drift toward the fish's mouth and are eaten when close.
void foodPull(SpeciesFish& fish, Pellets& pellets);
// Fish c against every other fish of the pool: latch, climb/dive, dodge, turn about or pass.
void avoid(SpeciesFish (&pool)[kPoolSize], int c);

}  // namespace fish
