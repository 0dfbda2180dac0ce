#include "view/Scene.h"

#include "resource_ids.h"

namespace view {
namespace {

struct ModeCursors {
  int mode;
  int up;
  int down;
};
constexpr ModeCursors kModeCursors[] = {
    {kCmdTouch, res::id::kCursorTouchUp, res::id::kCursorTouchDown},
    {kCmdFeed, res::id::kCursorFeedUp, res::id::kCursorFeedDown},
    {kCmdZoomIn, res::id::kCursorZoomInUp, res::id::kCursorZoomInDown},
    {kCmdZoomOut, res::id::kCursorZoomOutUp, res::id::kCursorZoomOutDown},
};

}  // namespace

void Scene::OnLeftDown(int x, int y) {
  mouseX_ = x;
  mouseY_ = y;
  buttonDown_ = true;
  if (mode_ == kCmdFeed) feedClickPending_ = true;
}

void Scene::OnLeftUp() {
  // In Touch mode the button stays down until the next fish pick has used it.
  if (mode_ == kCmdFeed || mode_ == kCmdZoomIn || mode_ == kCmdZoomOut) buttonDown_ = false;
}

void Scene::OnMouseMove(int x, int y) {
  mouseX_ = x;
  mouseY_ = y;
}

int Scene::CursorId() const {
  for (const ModeCursors& c : kModeCursors)
    if (c.mode == mode_) return buttonDown_ ? c.down : c.up;
  return 0;
}

int Scene::activePellets() const {
  int n = 0;
  for (const tank::FoodPellet& p : pellets_) n += p.IsActive() ? 1 : 0;
  return n;
}

}  // namespace view
