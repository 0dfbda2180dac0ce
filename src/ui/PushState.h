#pragma once

// Pointer state of a push-style control: hover under the pointer, and a press that follows
// the pointer while the button is held. A press counts as a click only when the button is
// released over the control. Entering with the button already held (a drag that started
// elsewhere) does not light the control up.
namespace ui {

class PushState {
 public:
  void pointerEnter(bool leftButtonDown);
  void pointerLeave();
  // While pressing, the pointer's moves decide whether the control looks pressed.
  void pointerMove(bool inside);
  void leftDown();
  // Ends a press; true when it is a click (released over the control).
  bool leftUp(bool inside);
  // Capture taken away or focus lost: the press and the hover end.
  void reset();

  bool hovered() const { return hovered_; }
  bool pressing() const { return pressing_; }          // the control holds the pointer
  bool pressed() const { return pressing_ && inside_; }  // drawn sunken

 private:
  bool hovered_ = false;
  bool pressing_ = false;
  bool inside_ = false;
};

}  // namespace ui
