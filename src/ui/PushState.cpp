#include "ui/PushState.h"

namespace ui {

void PushState::pointerEnter(bool leftButtonDown) {
  if (leftButtonDown && !pressing_) return;
  hovered_ = true;
  inside_ = true;
}

void PushState::pointerLeave() {
  hovered_ = false;
  inside_ = false;
}

void PushState::pointerMove(bool inside) {
  if (!pressing_) return;
  inside_ = inside;
  hovered_ = inside;
}

void PushState::leftDown() {
  pressing_ = true;
  inside_ = true;
  hovered_ = true;
}

bool PushState::leftUp(bool inside) {
  const bool click = pressing_ && inside;
  pressing_ = false;
  inside_ = inside;
  hovered_ = inside;
  return click;
}

void PushState::reset() {
  hovered_ = false;
  pressing_ = false;
  inside_ = false;
}

}  // namespace ui
