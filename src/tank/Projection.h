#pragma once

// The fixed camera and the projection that every frame (and every pick pass) uses, which
// the tank box's cover also depends on.
namespace tank {

inline constexpr float kCameraOffset = -5.0f;       // world units along z
inline constexpr float kEyeBehindOffset = 5.0f;     // the eye sits at (0, 0, -10)
inline constexpr float kEyeZ = kCameraOffset - kEyeBehindOffset;
inline constexpr float kLookAtZ = -500.0f;          // and looks along -z
inline constexpr double kHalfExtent = 0.4;          // of the shorter side at the near plane
inline constexpr double kNearPlane = 1.0;
inline constexpr double kFarPlane = 1000.0;

struct FrustumExtents {
  double left, right, bottom, top;
};

// The shorter screen side always spans 2 * kHalfExtent at the near plane.
inline FrustumExtents ComputeFrustum(int width, int height) {
  const double w = width > 0 ? width : 1;
  const double h = height > 0 ? height : 1;
  if (w > h) return {-kHalfExtent * w / h, kHalfExtent * w / h, -kHalfExtent, kHalfExtent};
  return {-kHalfExtent, kHalfExtent, -kHalfExtent * h / w, kHalfExtent * h / w};
}

}  // namespace tank
