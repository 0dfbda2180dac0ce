// The texture library looks up its compressed-texture upload through GLX. Test programs
// draw into an offscreen context that GLX knows nothing of, so that look-up is answered
// here by the offscreen implementation itself; the program proper keeps the GLX one.
#include <GL/osmesa.h>

extern "C" void (*glXGetProcAddressARB(const GLubyte* name))() {
  return OSMesaGetProcAddress(reinterpret_cast<const char*>(name));
}
