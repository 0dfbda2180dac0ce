#pragma once
#include <string>
#include <vector>

#include "Raster.h"

namespace art {

constexpr int kMenuIconSize = 24;
constexpr int kLampSize = 20;
constexpr int kLampOnId = 184;
constexpr int kLampOffId = 183;

enum class MenuIcon { Feed, Touch, ZoomIn, ZoomOut, Fish, Music, Picture, Exit };

struct MenuIconSpec {
  MenuIcon kind;
  int id;
  std::string file;
};

// The popup menu's icons with their resource ids and file names.
const std::vector<MenuIconSpec>& menuIconSpecs();
Raster paintMenuIcon(MenuIcon kind);
// The square lamp of the on/off switch: lit green, or dark.
Raster paintLamp(bool on);

// A magnifier (lens centre, lens radius, handle end), shared with the zoom cursors;
// sign +1 draws a plus in the lens, -1 a minus.
void drawMagnifier(Raster& img, float cx, float cy, float r, float handleX, float handleY, int sign,
                   float darken = 0.0f);

}  // namespace art
