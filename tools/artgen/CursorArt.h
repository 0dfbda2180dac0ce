#pragma once
#include <string>
#include <vector>

#include "Raster.h"

namespace art {

constexpr int kCursorSize = 32;

enum class CursorKind { FeedUp, FeedDown, TouchUp, TouchDown, ZoomInUp, ZoomInDown, ZoomOutUp, ZoomOutDown };

struct CursorSpec {
  CursorKind kind;
  int id;
  std::string file;
  int hotX, hotY;
};

// The mode cursors with their resource ids, files and hot spots (fingertip or lens centre).
const std::vector<CursorSpec>& cursorSpecs();
Raster paintCursor(CursorKind kind);

}  // namespace art
