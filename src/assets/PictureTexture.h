#pragma once
#include <GL/gl.h>

#include <string>

namespace assets {

// Loads one of the user's background pictures (JPEG, BMP, PNG) as a new mipmapped texture,
// flipped to OpenGL's row order. Pictures with a side above 4096 pixels or above the largest
// texture OpenGL takes are scaled down first, keeping their proportions. Returns 0 when the file cannot be read as a
// picture. Needs a current OpenGL context.
GLuint LoadPictureTexture(const std::string& path);

}  // namespace assets
