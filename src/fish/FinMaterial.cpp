#include "fish/FinMaterial.h"

#include <cstddef>
#include <vector>

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

void ApplyFinMaterial(int index) {
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
    glBindTexture(GL_TEXTURE_2D, kFinTextures[m.textureIndex].name);
  } else {
    glDisable(GL_TEXTURE_2D);
  }
}

void ResetFinMaterial() {
  const float none[4] = {0.0f, 0.0f, 0.0f, 1.0f};
  glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, none);
  glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, none);
}

void ShareSkinWithFins(GLuint largeFishSkin) {
  GLint width = 0, height = 0;
  glBindTexture(GL_TEXTURE_2D, largeFishSkin);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
  glBindTexture(GL_TEXTURE_2D, 0);
  if (largeFishSkin == 0 || width <= 0 || height <= 0) return;  // no skin: fins stay bare

  std::vector<unsigned char> pixels(static_cast<std::size_t>(width) * height * 4);
  GLint packAlignment = 4, unpackAlignment = 4;
  glGetIntegerv(GL_PACK_ALIGNMENT, &packAlignment);
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &unpackAlignment);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glBindTexture(GL_TEXTURE_2D, largeFishSkin);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  glBindTexture(GL_TEXTURE_2D, 0);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
               pixels.data());
  glPixelStorei(GL_PACK_ALIGNMENT, packAlignment);
  glPixelStorei(GL_UNPACK_ALIGNMENT, unpackAlignment);
}

}  // namespace fish
