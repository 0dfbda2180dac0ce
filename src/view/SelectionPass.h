#pragma once
#include <GL/gl.h>

namespace view {

inline constexpr int kSelectBufferSize = 512;  // entries of the selection buffer

// The selection buffer all pick passes share (one user-interface thread).
GLuint* SelectBuffer();

// Opens a GL_SELECT pass limited to a region x region pixel square around the mouse
// (client pixels, y downwards), with the frame's own projection so that a pick finds what
// is drawn under the cursor. The model-view matrix (holding the camera) is saved; the
// caller draws one object and then calls Finish().
void BeginSelection(int mouseX, int mouseY, double region);

// Closes the pass, restores both matrices and returns the number of hits (-1 when the
// selection buffer overflowed).
int FinishSelection();

// The smallest name among the hit records of the pass just finished; -1 when there is none.
// Objects drawn under names 0, 1, 2 ... in one pass thus give the same answer as one pass
// per object in index order stopping at the first hit.
int LowestHitName(int hits);

// One whole pass around `draw`; true when it drew anything inside the region.
template <class Draw>
bool HitUnderMouse(int mouseX, int mouseY, double region, Draw&& draw) {
  BeginSelection(mouseX, mouseY, region);
  draw();
  return FinishSelection() > 0;
}

}  // namespace view
