#pragma once
#include "Color.h"
#include "Raster.h"
#include "Shapes.h"

// The one palette and outline weight of the menu icons, lamps, cursors and program icon.
namespace art::palette {

constexpr float kOutlineWidth = 1.5f;  // pixels, every small image

inline Rgba outline() { return rgb(34, 42, 60); }
inline Rgba orange() { return rgb(255, 150, 44); }
inline Rgba blue() { return rgb(70, 150, 226); }
inline Rgba glass() { return rgb(206, 236, 255); }
inline Rgba green() { return rgb(84, 190, 104); }
inline Rgba red() { return rgb(232, 82, 70); }
inline Rgba yellow() { return rgb(255, 214, 70); }
inline Rgba skin() { return rgb(255, 226, 192); }
inline Rgba wood() { return rgb(200, 138, 76); }
inline Rgba white() { return rgb(252, 252, 250); }
inline Rgba sky() { return rgb(150, 210, 250); }
inline Rgba purple() { return rgb(128, 104, 222); }

// Fills a shape and rings it with the outline, the way every small image draws its parts.
inline void outlined(Raster& img, const Sdf& sdf, const Paint& fill, float width = kOutlineWidth) {
  img.fill(shape::grow(sdf, width), outline());
  img.fill(sdf, fill);
}
inline void outlined(Raster& img, const Sdf& sdf, const Rgba& fill, float width = kOutlineWidth) {
  outlined(img, sdf, shape::solid(fill), width);
}

}  // namespace art::palette
