#pragma once
// GL helpers for the tank tests: the frame's projection and camera, and a feedback-mode
// capture that turns what a draw call emitted back into world coordinates.
#include <GL/gl.h>
#include <GL/glu.h>

#include <array>
#include <vector>

#include "support/OffscreenGl.h"
#include "tank/Projection.h"

namespace tanktest {

// An offscreen context that finishes its pending drawing before it goes away (the
// offscreen driver crashes when a context with queued rasterisation is destroyed).
class Gl : public OffscreenGl {
 public:
  using OffscreenGl::OffscreenGl;
  ~Gl() { glFinish(); }
};

// The frame's projection and its fixed camera at (0, 0, -10) looking down -z.
inline void SetFrameView(int w, int h) {
  glViewport(0, 0, w, h);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  const tank::FrustumExtents f = tank::ComputeFrustum(w, h);
  glFrustum(f.left, f.right, f.bottom, f.top, tank::kNearPlane, tank::kFarPlane);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  gluLookAt(0, 0, tank::kEyeZ, 0, 0, tank::kLookAtZ, 0, 1, 0);
}

// A flat view straight down -z where one world unit is one pixel: x from x0, y from y0.
inline void SetFlatView(int w, int h, double x0, double y0) {
  glViewport(0, 0, w, h);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(x0, x0 + w, y0, y0 + h, -1000.0, 1000.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

struct Vertex {
  double x, y, z;           // world coordinates (unprojected)
  float r, g, b, a;         // colour
  float s, t;               // texture coordinates
};
using Polygon = std::vector<Vertex>;

// Runs `draw` in feedback mode and returns the polygons it produced, in world coordinates
// of the model-view and projection matrices current when the capture starts.
template <typename Draw>
std::vector<Polygon> CapturePolygons(Draw&& draw, std::size_t bufferFloats = 1 << 20) {
  std::vector<GLfloat> buffer(bufferFloats);
  GLdouble model[16], proj[16];
  GLint viewport[4];
  glGetDoublev(GL_MODELVIEW_MATRIX, model);
  glGetDoublev(GL_PROJECTION_MATRIX, proj);
  glGetIntegerv(GL_VIEWPORT, viewport);

  glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR_TEXTURE, buffer.data());
  glRenderMode(GL_FEEDBACK);
  draw();
  const GLint used = glRenderMode(GL_RENDER);

  std::vector<Polygon> polygons;
  constexpr int kVertexFloats = 3 + 4 + 4;
  auto readVertex = [&](GLint at) {
    Vertex v{};
    gluUnProject(buffer[at], buffer[at + 1], buffer[at + 2], model, proj, viewport, &v.x, &v.y,
                 &v.z);
    v.r = buffer[at + 3];
    v.g = buffer[at + 4];
    v.b = buffer[at + 5];
    v.a = buffer[at + 6];
    v.s = buffer[at + 7];
    v.t = buffer[at + 8];
    return v;
  };
  for (GLint i = 0; i < used;) {
    const auto token = static_cast<GLint>(buffer[i++]);
    switch (token) {
      case GL_POLYGON_TOKEN: {
        const auto n = static_cast<GLint>(buffer[i++]);
        Polygon p;
        for (GLint k = 0; k < n; ++k, i += kVertexFloats) p.push_back(readVertex(i));
        polygons.push_back(std::move(p));
        break;
      }
      case GL_LINE_TOKEN:
      case GL_LINE_RESET_TOKEN:
        i += 2 * kVertexFloats;
        break;
      case GL_POINT_TOKEN:
      case GL_BITMAP_TOKEN:
      case GL_DRAW_PIXEL_TOKEN:
      case GL_COPY_PIXEL_TOKEN:
        i += kVertexFloats;
        break;
      case GL_PASS_THROUGH_TOKEN:
        i += 1;
        break;
      default:
        return polygons;
    }
  }
  return polygons;
}

// Area of a polygon projected onto the x-y plane.
inline double AreaXY(const Polygon& p) {
  double twice = 0;
  for (std::size_t k = 0; k < p.size(); ++k) {
    const Vertex& a = p[k];
    const Vertex& b = p[(k + 1) % p.size()];
    twice += a.x * b.y - b.x * a.y;
  }
  return twice < 0 ? -twice / 2 : twice / 2;
}

}  // namespace tanktest
