#include "tank/FoodPellet.h"

#include <cmath>
#include <string>

#include "assets/TextureLoaders.h"
#include "assets/Unpack.h"
#include "platform/CrtRand.h"
#include "platform/Resources.h"
#include "platform/SettingsDir.h"

namespace tank {
namespace {

// Set-up spread of the motion values (per unit of a difference of two draws).
constexpr float kSpreadX = 0.000042115542f;
constexpr float kStartY = 1.0f;
constexpr float kSpreadZ = 0.000011597033f;
constexpr float kSpreadAngle = 0.0054933317f;
constexpr float kFallStep = 0.0005f;
constexpr float kFallBase = 0.005f;

// Motion per step.
constexpr float kDrawLift = 0.2f;  // the shape shows this much below its local y
constexpr float kSinkLimit = -10.0f;
constexpr float kSunkY = -40.0f;
constexpr float kJitter = 6.103702e-8f;
constexpr float kTiltPerStep = 0.4f;
constexpr float kSpinPerStep = 2.0f;
constexpr float kSunkTilt = 6.103702e-6f;
constexpr float kSunkSpin = 0.00003051851f;

// The pellet's shape: a flat ellipse in food colour.
constexpr int kEllipsePoints = 500;
constexpr float kEllipseAngleStep = 0.01256637f;
constexpr float kEllipseHalfX = 0.3f;
constexpr float kEllipseHalfY = 0.15f;
constexpr GLubyte kFoodRed = 243, kFoodGreen = 225, kFoodBlue = 159;

// The pellet's texture request: a skin id the packed set does not hold.
constexpr int kTextureResource = 10017;
constexpr const char* kTextureName = "fish17";

// One draw minus the next.
float DrawDifference() {
  const int first = crt::rand();
  const int second = crt::rand();
  return static_cast<float>(first - second);
}

void CompileShape(GLuint list) {
  glNewList(list, GL_COMPILE);
  glPushMatrix();
  glDisable(GL_TEXTURE_2D);
  glColor3ub(kFoodRed, kFoodGreen, kFoodBlue);
  glBegin(GL_TRIANGLE_FAN);
  for (int i = 0; i < kEllipsePoints; ++i) {
    const float angle = static_cast<float>(i) * kEllipseAngleStep;
    glVertex2f(std::cos(angle) * kEllipseHalfX, std::sin(angle) * kEllipseHalfY);
  }
  glEnd();
  glEnable(GL_TEXTURE_2D);
  glColor3ub(255, 255, 255);
  glPopMatrix();
  glEndList();
}

// Loads the pellet's texture when the program holds it; otherwise makes the same empty,
// bound texture name the loader would have made from a missing file, without touching disk.
GLuint RequestTexture() {
  GLuint texture = 0;
  if (res::FindResource(res::Type::Rcad, kTextureResource)) {
    const std::string dir = platform::SettingsDirectory();
    if (assets::Unpack(kTextureResource, dir, kTextureName)) {
      assets::LoadScaledTexture(assets::UnpackedPath(dir, kTextureName), &texture);
      assets::DeleteUnpacked(dir, kTextureName);
      return texture;
    }
  }
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  return texture;
}

}  // namespace

void FoodPellet::Release() {
  if (list_ != 0) glDeleteLists(list_, 1);
  if (texture_ != 0) glDeleteTextures(1, &texture_);
  list_ = 0;
  texture_ = 0;
}

void FoodPellet::SetUp() {
  localX_ = DrawDifference() * kSpreadX;
  localY_ = kStartY;
  localZ_ = DrawDifference() * kSpreadZ;
  tilt_ = DrawDifference() * kSpreadAngle;
  const float spinFirst = DrawDifference() * kSpreadAngle;
  spin_ = spinFirst + DrawDifference() * kSpreadAngle;
  fallSpeed_ = static_cast<float>(crt::rand() % 10) * kFallStep + kFallBase;
  alive_ = 1.0f;
  worldX_ = worldY_ = worldZ_ = 0.0f;

  // A new set-up replaces the previous shape and texture instead of piling them up.
  Release();
  list_ = glGenLists(1);
  if (list_ != 0) CompileShape(list_);
  texture_ = RequestTexture();
}

void FoodPellet::Drop(float x, float y, float z) {
  dropX_ = x;
  dropY_ = y;
  dropZ_ = z;
  SetUp();
  active_ = true;
  shown_ = false;
}

void FoodPellet::Step() {
  shown_ = static_cast<int>(alive_) != 0;
  if (shown_) {
    shownX_ = localX_;
    shownY_ = localY_;
    shownZ_ = localZ_;
    shownTilt_ = tilt_;
    shownSpin_ = spin_;
    worldX_ = dropX_ + localX_;
    worldY_ = dropY_ + localY_ - kDrawLift;
    worldZ_ = dropZ_ + localZ_;
  } else {
    active_ = false;
  }

  if (localY_ > kSinkLimit) {
    localX_ += DrawDifference() * kJitter;
    localY_ -= fallSpeed_;
    localZ_ += DrawDifference() * kJitter;
    tilt_ += kTiltPerStep;
    spin_ += kSpinPerStep;
  } else {
    localY_ = kSunkY;
    tilt_ -= static_cast<float>(crt::rand()) * kSunkTilt;
    spin_ += static_cast<float>(crt::rand()) * kSunkSpin;
    Consume();
  }
}

void FoodPellet::Draw() const {
  if (!shown_) return;
  glTranslatef(dropX_, dropY_, dropZ_);
  glPushMatrix();
  glRotatef(shownSpin_, 0.0f, 1.0f, 0.0f);
  glTranslatef(shownX_, shownY_ - kDrawLift, shownZ_);
  glRotatef(shownTilt_, 1.0f, 0.0f, 0.0f);
  glCallList(list_);
  glPopMatrix();
}

void FoodPellet::Nudge(float dx, float dy, float dz) {
  localX_ += dx;
  localY_ += dy;
  localZ_ += dz;
}

int FirstFreePellet(const FoodPellet (&pellets)[kPelletCount]) {
  for (int i = 0; i < kPelletCount; ++i)
    if (!pellets[i].IsActive()) return i;
  return -1;
}

}  // namespace tank
