#include "fish/FinMaterial.h"

namespace fish {

const FinMaterial kFinMaterials[kFinMaterialCount] = {
    {{1, 1, 1}, {1, 1, 1}, {1, 1, 1}, {1, 1, 1}, 1.0f, 4.0f, 0, 0},
    {{1, 1, 1}, {1, 1, 1}, {1, 1, 1}, {1, 1, 1}, 1.0f, 4.0f, 1, 1},
    {{1, 1, 1}, {1, 1, 1}, {1, 1, 1}, {1, 1, 1}, 0.9f, 3.4822f, 2, 2},
};

const FinTexture kFinTextures[kFinMaterialCount] = {
    {"fin0", 0},
    {"fin1", 0},
    {"fin2", 0},
};

void ApplyFinMaterial(int index, GLuint fishSkin) {
  if (index < 0 || index >= kFinMaterialCount) return;
  const FinMaterial& m = kFinMaterials[index];
  const auto withAlpha = [&m](const float (&rgb)[3], float (&out)[4]) {
    out[0] = rgb[0];
    out[1] = rgb[1];
    out[2] = rgb[2];
    out[3] = m.alpha;
  };
  float colour[4];
  withAlpha(m.ambient, colour);
  glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, colour);
  withAlpha(m.diffuse, colour);
  glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, colour);
  withAlpha(m.specular, colour);
  glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, colour);
  withAlpha(m.emission, colour);
  glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, colour);
  glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, m.shininess);
  if (m.alpha >= 1.0f) {
    glDisable(GL_BLEND);
  } else {
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(1.0f, 1.0f, 1.0f, m.alpha);
  }
  if (m.textureFlag >= 0) {
    glEnable(GL_TEXTURE_2D);
    // An unloaded fin texture would leave the fins on the default texture: bare white, and
    // the default texture must stay empty, since the background sheet shows it when no own
    // picture is chosen. Such fins take the fish's own skin instead.
    const GLuint name = kFinTextures[m.textureIndex].name;
    glBindTexture(GL_TEXTURE_2D, name != 0 ? name : fishSkin);
  } else {
    glDisable(GL_TEXTURE_2D);
  }
}

void ResetFinMaterial() {
  const float none[4] = {0.0f, 0.0f, 0.0f, 1.0f};
  glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, none);
  glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, none);
}

}  // namespace fish
