#pragma once
#include <GL/gl.h>

// The large fish's fin materials and the fin texture table. No step ever loads a fin
// texture, so every texture name in the table stays 0; a fin whose texture was never loaded
// wears the skin of the fish it belongs to (see ApplyFinMaterial).
namespace fish {

struct FinMaterial {
  float ambient[3];
  float diffuse[3];
  float specular[3];
  float emission[3];
  float alpha;
  float shininess;
  int textureIndex;
  int textureFlag;  // >= 0: texturing on with the indexed texture; < 0: texturing off
};

struct FinTexture {
  const char* fileName;
  GLuint name;
};

inline constexpr int kFinMaterialCount = 3;
inline constexpr int kFinMaterialUsed = 1;  // every fin is drawn with material 1

extern const FinMaterial kFinMaterials[kFinMaterialCount];
extern const FinTexture kFinTextures[kFinMaterialCount];

// Sets the material's colours (each with its alpha) and shininess for front and back faces,
// blending and texturing as the material asks. With texturing on, the material's table
// texture is bound, or `fishSkin` when that texture was never loaded (name 0). The state
// stays after the call.
void ApplyFinMaterial(int index, GLuint fishSkin);

// Puts the specular and emission colours back to the GL defaults (0, 0, 0, 1) for front
// and back faces, so objects lit after the fins do not inherit the fins' glow and shine.
// The fins' ambient and diffuse colours are left: colour material keeps setting them.
void ResetFinMaterial();

}  // namespace fish
