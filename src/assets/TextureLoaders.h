#pragma once
#include <GL/gl.h>

#include <string>

namespace assets {

// Generates one texture name into *texture, binds it and, when the file is a usable BMP
// (8, 24 or 32 bits), uploads it scaled to powers of two no larger than min(512, GL max):
// linear filters, no mipmaps. A missing or malformed file leaves the name without image.
void LoadScaledTexture(const std::string& path, GLuint* texture);

// Generates and binds one texture name and builds a full mipmap chain from a 24-bit BMP;
// pure black pixels become transparent (alpha 0), all others opaque. Repeat wrapping,
// linear magnification, linear-mipmap-nearest minification.
void LoadMipmappedTexture(const std::string& path, GLuint* texture);

// Unpack resource `id` as baseName into the settings directory, load it with one of the
// loaders above, then delete both files again. Returns the texture name.
GLuint LoadPackedTexture(int id, const std::string& baseName, bool mipmapped);

}  // namespace assets
