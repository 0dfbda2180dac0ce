#pragma once
#include <array>

#include <wx/cursor.h>

// The tank's mode cursors, made once from the program's cursor images (with their hot
// spots) and handed out by resource id.
namespace view {

class Cursors {
 public:
  Cursors();

  // The cursor of resource `id`, or nullptr when the id is not one of the mode cursors or
  // its image could not be made.
  const wxCursor* Get(int id) const;

  static constexpr std::array<int, 8> kIds = {158, 159, 163, 164, 167, 177, 169, 178};

 private:
  std::array<wxCursor, kIds.size()> cursors_;
};

}  // namespace view
