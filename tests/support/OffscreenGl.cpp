#include "support/OffscreenGl.h"

#include <GL/gl.h>
#include <GL/osmesa.h>

#include <stdexcept>

OffscreenGl::OffscreenGl(int width, int height, int depthBits)
    : width_(width), height_(height), pixels_(static_cast<std::size_t>(width) * height * 4) {
  OSMesaContext ctx = OSMesaCreateContextExt(OSMESA_RGBA, depthBits, 0, 0, nullptr);
  if (!ctx) throw std::runtime_error("OSMesaCreateContextExt failed");
  if (!OSMesaMakeCurrent(ctx, pixels_.data(), GL_UNSIGNED_BYTE, width, height)) {
    OSMesaDestroyContext(ctx);
    throw std::runtime_error("OSMesaMakeCurrent failed");
  }
  context_ = ctx;
}

// Queued drawing must finish before the context goes: OSMesa crashes destroying a context
// with work still pending.
OffscreenGl::~OffscreenGl() {
  glFinish();
  OSMesaDestroyContext(static_cast<OSMesaContext>(context_));
}
