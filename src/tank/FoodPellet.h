#pragma once
#include <GL/gl.h>

namespace tank {

inline constexpr int kPelletCount = 20;

// One food pellet: dropped at a point, it sinks and tumbles until a fish eats it or it has
// sunk ten units.
class FoodPellet {
 public:
  void SetUp();                          // motion draws, display list, texture request
  void Drop(float x, float y, float z);  // drop point, set-up, active
  bool IsActive() const { return active_; }
  // One step: a pellet still alive is shown where it stands (and its world point, which the
  // fish steer for, set), one that was eaten or has sunk leaves the tank; then it sinks and
  // tumbles on.
  void Step();
  void Draw() const;                     // the pellet as the last step showed it
  bool Shown() const { return shown_; }
  void Nudge(float dx, float dy, float dz);
  void Consume() { alive_ = 0.0f; }
  void Release();                        // frees the display list and texture name

  float worldX() const { return worldX_; }
  float worldY() const { return worldY_; }
  float worldZ() const { return worldZ_; }
  float alive() const { return alive_; }
  // Read-only views of the rest of the state, for tests and tools.
  float localX() const { return localX_; }
  float localY() const { return localY_; }
  float localZ() const { return localZ_; }
  float tilt() const { return tilt_; }
  float spin() const { return spin_; }
  float fallSpeed() const { return fallSpeed_; }
  GLuint displayList() const { return list_; }
  GLuint texture() const { return texture_; }

 private:
  float localX_ = 0, localY_ = 0, localZ_ = 0;
  float tilt_ = 0, spin_ = 0;
  float fallSpeed_ = 0;
  float alive_ = 0;
  GLuint list_ = 0;
  GLuint texture_ = 0;
  float worldX_ = 0, worldY_ = 0, worldZ_ = 0;
  float dropX_ = 0, dropY_ = 0, dropZ_ = 0;
  bool active_ = false;
  // Where the last step showed it.
  bool shown_ = false;
  float shownX_ = 0, shownY_ = 0, shownZ_ = 0;
  float shownTilt_ = 0, shownSpin_ = 0;
};

// Index of the first pellet not in the tank, or -1 when all of them are.
int FirstFreePellet(const FoodPellet (&pellets)[kPelletCount]);

}  // namespace tank
