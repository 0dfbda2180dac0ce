#pragma once
#include "tank/Projection.h"

// Loads the fixed camera and the projection (tank/Projection.h) into OpenGL.
namespace view {

using tank::ComputeFrustum;
using tank::FrustumExtents;
using tank::kCameraOffset;
using tank::kEyeBehindOffset;
using tank::kFarPlane;
using tank::kHalfExtent;
using tank::kLookAtZ;
using tank::kNearPlane;

// Multiplies the current matrix by the frame's frustum for a width x height screen.
void ApplyFrustum(int width, int height);

// Multiplies the current (model-view) matrix by the camera: the eye at
// (0, 0, cameraOffset - 5) looking toward (0, 0, -500) with +y up.
void ApplyCamera(float cameraOffset = kCameraOffset);

}  // namespace view
