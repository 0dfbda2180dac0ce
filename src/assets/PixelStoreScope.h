#pragma once
#include <GL/gl.h>

namespace assets {

// Tightly packed client pixel rows for the life of the object: byte alignment, no row
// length or skips. The previous pixel-store state comes back when it ends.
class PixelStoreScope {
 public:
  PixelStoreScope() {
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    for (GLenum alignment : {GL_UNPACK_ALIGNMENT, GL_PACK_ALIGNMENT}) glPixelStorei(alignment, 1);
    for (GLenum zero : {GL_UNPACK_ROW_LENGTH, GL_UNPACK_SKIP_ROWS, GL_UNPACK_SKIP_PIXELS,
                        GL_PACK_ROW_LENGTH, GL_PACK_SKIP_ROWS, GL_PACK_SKIP_PIXELS})
      glPixelStorei(zero, 0);
  }
  ~PixelStoreScope() { glPopClientAttrib(); }
  PixelStoreScope(const PixelStoreScope&) = delete;
  PixelStoreScope& operator=(const PixelStoreScope&) = delete;
};

}  // namespace assets
