#include "view/Picking.h"

#include <GL/gl.h>

#include "view/SelectionPass.h"

namespace view {
namespace {

constexpr float kVerticalBarHalfWidth = 0.5f;
constexpr float kVerticalBarHalfHeight = 30.0f;
constexpr float kHorizontalBarHalfWidth = 90.0f;
constexpr float kHorizontalBarHalfHeight = 0.5f;
constexpr float kBarQuadZ = 1.0f;  // relative to the bar's point
constexpr GLfloat kStageColour[4] = {1.0f, 1.0f, 1.0f, 0.0f};

// The quad goes through a client vertex array, not glBegin/glEnd: Mesa keeps every
// immediate-mode buffer that fills up inside a GL_SELECT pass, so a pick every frame grew the
// process by about 12 kB a frame. The hits are the same.
void DrawBarQuad(const BarPoint& p, float halfWidth, float halfHeight) {
  const GLfloat quad[12] = {-halfWidth, -halfHeight, kBarQuadZ, halfWidth,  -halfHeight, kBarQuadZ,
                            halfWidth,  halfHeight,  kBarQuadZ, -halfWidth, halfHeight,  kBarQuadZ};
  glTranslatef(p.x, p.y, p.z);
  glVertexPointer(3, GL_FLOAT, 0, quad);
  glDrawArrays(GL_QUADS, 0, 4);
}

// Moves one coordinate of every bar; the direction is decided from bar 0 as it stands when
// each bar moves, so the whole grid swings between edge - 1 and edge + 1.
template <int N, class Coord>
void DriftBars(BarPoint (&bars)[N], float edge, bool& up, Coord coord) {
  for (int k = 0; k < N; ++k) {
    const float first = coord(bars[0]);
    if (edge - kDriftSwing > first) up = true;
    if (edge + kDriftSwing < first) up = false;
    float& value = coord(bars[k]);
    value = static_cast<float>(value + (up ? kDriftStep : -kDriftStep));
  }
}

}  // namespace

void PickBars::Place(const tank::TankBox& box) {
  const int height = static_cast<int>(box.top - box.bottom);
  const float step = static_cast<float>(height) * kHorizontalBarStep;
  for (int k = 0; k < kVerticalBarCount; ++k)
    vertical_[k] = {box.left + static_cast<float>(k) * kVerticalBarSpacing, 0.0f, kBarDepth};
  for (int k = 0; k < kHorizontalBarCount; ++k)
    horizontal_[k] = {0.0f, box.bottom + static_cast<float>(k) * step, kBarDepth};
}

void PickBars::Drift(const tank::TankBox& box) {
  DriftBars(vertical_, box.left, xDriftUp_, [](BarPoint& p) -> float& { return p.x; });
  DriftBars(horizontal_, box.bottom, yDriftUp_, [](BarPoint& p) -> float& { return p.y; });
}

namespace {

// Every bar can be hit at once: one record of one name each must fit the buffer.
static_assert(kVerticalBarCount * 4 <= kSelectBufferSize);

// All bars go through one selection pass, each under its index as its name; the lowest hit
// index is the first bar under the mouse.
template <int N>
bool PickBar(const BarPoint (&bars)[N], float halfWidth, float halfHeight, int mouseX,
             int mouseY, int* index) {
  BeginSelection(mouseX, mouseY, kBarPickRegion);
  glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
  glEnableClientState(GL_VERTEX_ARRAY);
  for (int k = 0; k < N; ++k) {
    glLoadName(static_cast<GLuint>(k));
    glPushMatrix();
    DrawBarQuad(bars[k], halfWidth, halfHeight);
    glPopMatrix();
  }
  glPopClientAttrib();
  *index = LowestHitName(FinishSelection());
  return *index >= 0 && *index < N;
}

}  // namespace

bool PickBars::PickX(int mouseX, int mouseY, float* x) const {
  int k = -1;
  if (!PickBar(vertical_, kVerticalBarHalfWidth, kVerticalBarHalfHeight, mouseX, mouseY, &k))
    return false;
  *x = vertical_[k].x;
  return true;
}

bool PickBars::PickY(int mouseX, int mouseY, float* y) const {
  int k = -1;
  if (!PickBar(horizontal_, kHorizontalBarHalfWidth, kHorizontalBarHalfHeight, mouseX, mouseY,
               &k))
    return false;
  *y = horizontal_[k].y;
  return true;
}

int PickBars::FeedStage(const tank::TankBox& box, int mouseX, int mouseY,
                        bool& feedClickPending,
                        tank::FoodPellet (&pellets)[tank::kPelletCount]) {
  glColor4fv(kStageColour);
  Drift(box);

  // The pick runs every frame, click or not. A coordinate latches only while a click waits
  // for its food, so the food lands under the cursor of the click (or, for a click outside
  // the tank, where the cursor first enters it); a miss latches nothing.
  float px = 0.0f, py = 0.0f;
  const bool hitX = PickX(mouseX, mouseY, &px);
  const bool hitY = PickY(mouseX, mouseY, &py);
  if (feedClickPending && !xLatched_ && hitX && box.left <= px && px <= box.right) {
    xLatched_ = true;
    latchedX_ = px;
  }
  if (feedClickPending && !yLatched_ && hitY && box.bottom <= py && py <= box.top) {
    yLatched_ = true;
    latchedY_ = py;
  }

  int dropped = -1;
  if (feedClickPending && xLatched_ && yLatched_) {
    xLatched_ = false;
    yLatched_ = false;
    feedClickPending = false;
    const int free = tank::FirstFreePellet(pellets);
    if (free >= 0) {
      pellets[free].Drop(latchedX_, latchedY_ - kDropBelowPick, kDropDepth);
      dropped = free;
    }
  }
  glColor4fv(kStageColour);
  return dropped;
}

}  // namespace view
