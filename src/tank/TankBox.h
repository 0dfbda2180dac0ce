#pragma once

namespace tank {

// The tank's extents in world units, computed once from the screen size.
struct TankBox {
  float left = 0, right = 0, top = 0, bottom = 0, back = 0;
};

TankBox ComputeTankBox(int screenWidth, int screenHeight);

// The flat quad at the back of the scene in BACKCOLOR (when BACK GUDING is set).
// Leaves GL_TEXTURE_2D enabled and the colour white. With `hidden` (something opaque drawn
// later covers it everywhere) only the quad itself is left out: the state it leaves is the
// same.
void DrawBackdrop(const TankBox& box, bool hidden = false);

// The z of the backdrop quad.
float BackdropZ(const TankBox& box);

}  // namespace tank
