#include "view/SelectionPass.h"

#include <GL/glu.h>

#include "view/Camera.h"

namespace view {

GLuint* SelectBuffer() {
  static GLuint buffer[kSelectBufferSize];
  return buffer;
}

void BeginSelection(int mouseX, int mouseY, double region) {
  glPushMatrix();
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  glSelectBuffer(kSelectBufferSize, SelectBuffer());
  glRenderMode(GL_SELECT);
  glInitNames();
  glPushName(0);

  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  gluPickMatrix(mouseX, viewport[3] - mouseY, region, region, viewport);
  ApplyFrustum(viewport[2], viewport[3]);
  glMatrixMode(GL_MODELVIEW);
}

int FinishSelection() {
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  const GLint hits = glRenderMode(GL_RENDER);
  glPopMatrix();
  return hits;
}

int LowestHitName(int hits) {
  const GLuint* record = SelectBuffer();
  const GLuint* const end = record + kSelectBufferSize;
  long lowest = -1;
  for (int h = 0; h < hits; ++h) {
    // Each record: name count, depth min, depth max, then the names.
    if (record + 3 > end) break;
    const GLuint names = record[0];
    if (record + 3 + names > end) break;
    if (names > 0) {
      const long name = record[3 + names - 1];
      if (lowest < 0 || name < lowest) lowest = name;
    }
    record += 3 + names;
  }
  return static_cast<int>(lowest);
}

}  // namespace view
