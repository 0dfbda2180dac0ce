#pragma once
#include <cstdint>

#include "ui/DrawTypes.h"

namespace ui {

// Whether pixel (x, y) lies inside the ellipse inscribed in box (right, bottom exclusive),
// pixel centres tested.
bool InsideEllipse(const Box& box, int x, int y);

// Inverts (255 - value) every channel of the RGB pixels (3 bytes each, rows `stride` bytes
// apart, image width x height) inside the ellipse inscribed in box; parts of the box outside
// the image are left out.
void InvertEllipse(std::uint8_t* rgb, int width, int height, int stride, const Box& box);

}  // namespace ui
