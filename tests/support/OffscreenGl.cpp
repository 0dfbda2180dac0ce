#include "support/OffscreenGl.h"

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

OffscreenGl::~OffscreenGl() { OSMesaDestroyContext(static_cast<OSMesaContext>(context_)); }
