#include "fish/LargeFish.h"

namespace fish {

LargeFish::LargeFish() {
  size = crt::rand() % 10 == 0 ? kLargeSizeSmall : kLargeSizeUsual;
  speed = 0.2f;
  targetPitch = static_cast<float>(crt::rand() % 45);
  targetHeading = crt::rand() % 2 == 1 ? 180.0f : 0.0f;
  wanderTimer = crt::rand() % 200;
}

void LargeFish::setBounds(float xMinArg, float xMaxArg, float yTopArg, float yBottomArg,
                          float zMinArg, float zMaxArg, const models::TriangleModel& body) {
  FishMotion::setBounds(xMinArg, xMaxArg, yTopArg, yBottomArg, zMinArg, zMaxArg);
  wallCode = kWallNone;
  bodyList = CompileTriangleModel(body, size);
}

GLuint CompileTriangleModel(const models::TriangleModel& body, float size) {
  const GLuint list = glGenLists(1);
  if (list == 0) return 0;
  glNewList(list, GL_COMPILE);
  glBegin(GL_TRIANGLES);
  for (int t = 0; t < body.triangleCount; ++t) {
    const std::uint16_t* idx = body.indices + t * 9;
    bool inRange = true;
    for (int corner = 0; corner < 3; ++corner) {
      inRange = inRange && idx[corner] < body.vertexCount &&
                idx[3 + corner] < body.normalCount && idx[6 + corner] < body.texcoordCount;
    }
    if (!inRange) continue;  // a damaged triangle is left out whole
    for (int corner = 0; corner < 3; ++corner) {
      const int v = idx[corner];
      const int n = idx[3 + corner];
      const int tc = idx[6 + corner];
      glNormal3fv(body.normals + n * 3);
      glTexCoord2fv(body.texcoords + tc * 2);
      const float* p = body.vertices + v * 3;
      glVertex3f(p[0] * size, p[1] * size, p[2] * size);
    }
  }
  glEnd();
  glEndList();
  return list;
}

}  // namespace fish
