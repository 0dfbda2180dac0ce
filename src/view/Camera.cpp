#include "view/Camera.h"

#include <GL/gl.h>
#include <GL/glu.h>

namespace view {

void ApplyFrustum(int width, int height) {
  const FrustumExtents f = ComputeFrustum(width, height);
  glFrustum(f.left, f.right, f.bottom, f.top, kNearPlane, kFarPlane);
}

void ApplyCamera(float cameraOffset) {
  gluLookAt(0.0, 0.0, cameraOffset - kEyeBehindOffset, 0.0, 0.0, kLookAtZ, 0.0, 1.0, 0.0);
}

}  // namespace view
