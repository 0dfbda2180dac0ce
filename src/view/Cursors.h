#pragma once
#include <array>

#include <wx/cursor.h>

#include "resource_ids.h"

// The tank's mode cursors, made once from the program's cursor images (with their hot
// spots) and handed out by resource id.
namespace view {

class Cursors {
 public:
  // scale: physical pixels per logical pixel of the screen (2 at 200 %); the images are
  // enlarged by it so a cursor keeps its size on a scaled screen.
  explicit Cursors(double scale = 1.0);

  // Makes the cursors anew when the screen's scale differs from the one they were made for.
  void SetScale(double scale);

  // The cursor of resource `id`, or nullptr when the id is not one of the mode cursors or
  // its image could not be made.
  const wxCursor* Get(int id) const;

  static constexpr std::array<int, 8> kIds = {
      res::id::kCursorTouchUp,  res::id::kCursorTouchDown,  res::id::kCursorFeedUp,
      res::id::kCursorFeedDown, res::id::kCursorZoomInUp,   res::id::kCursorZoomInDown,
      res::id::kCursorZoomOutUp, res::id::kCursorZoomOutDown};

 private:
  void Load();

  std::array<wxCursor, kIds.size()> cursors_;
  double scale_ = 1.0;
};

}  // namespace view
