#include "Viewer.h"

#include "Measure.h"
#include "fish/SlowFishJoints.h"

#include <GL/osmesa.h>
#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cstdint>
#include <functional>

#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image.h>
#include <stb/stb_image_write.h>

namespace fishgen {

namespace {

constexpr int kWidth = 1200, kHeight = 900;

GLuint MakeTexture(const std::string& skinPath) {
  GLuint tex = 0;
  glGenTextures(1, &tex);
  glBindTexture(GL_TEXTURE_2D, tex);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  int w = 0, h = 0, n = 0;
  stbi_set_flip_vertically_on_load(1);  // bottom row first, as a BMP stores it
  unsigned char* data = skinPath.empty() ? nullptr : stbi_load(skinPath.c_str(), &w, &h, &n, 3);
  if (data) {
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGB, w, h, GL_RGB, GL_UNSIGNED_BYTE, data);
    stbi_image_free(data);
    return tex;
  }
  // Test texture: bands along s, a darker top (t > 0.5) and a grid.
  constexpr int kSize = 128;
  std::vector<std::uint8_t> px(kSize * kSize * 3);
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      std::uint8_t* p = &px[(y * kSize + x) * 3];
      bool band = (x / 16) % 2;
      bool grid = x % 16 == 0 || y % 16 == 0;
      p[0] = grid ? 40 : (band ? 240 : 250);
      p[1] = grid ? 40 : (band ? 150 : 220);
      p[2] = grid ? 40 : (y > kSize / 2 ? 90 : 200);
    }
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGB, kSize, kSize, GL_RGB, GL_UNSIGNED_BYTE, px.data());
  return tex;
}

// Emits a part's strips as the draw code does: first pass, then the mirrored pass with y
// negated; `move` may displace a position (row, column, mirrored) first.
void EmitPart(const PartGrid& g, double scale, V3 offset = {},
              const std::function<void(V3&, int, int)>& move = {}) {
  for (int pass = 0; pass < 2; ++pass) {
    int count = pass == 0 ? static_cast<int>(g.strips.size()) : g.mirrored;
    for (int s = 0; s < count; ++s) {
      glBegin(GL_QUAD_STRIP);
      for (int c = 0; c < g.cols; ++c)
        for (int r : {g.strips[s].first, g.strips[s].second}) {
          int i = r * g.cols + c;
          V3 p = g.pos[i] * scale + offset;
          if (move) move(p, r, c);
          if (pass == 1) p.y = -p.y;
          glNormal3d(g.nrm[i].x, g.nrm[i].y, g.nrm[i].z);
          glTexCoord2d(g.tex[i].s, g.tex[i].t);
          glVertex3d(p.x, p.y, p.z);
        }
      glEnd();
    }
  }
}

void EmitMesh(const TriMesh& m, double scale) {
  glBegin(GL_TRIANGLES);
  for (const auto& t : m.triangles)
    for (int k = 0; k < 3; ++k) {
      const V3& n = m.normals[t[3 + k]];
      const V2& st = m.texcoords[t[6 + k]];
      const V3 p = m.vertices[t[k]] * scale;
      glNormal3d(n.x, n.y, n.z);
      glTexCoord2d(st.s, st.t);
      glVertex3d(p.x, p.y, p.z);
    }
  glEnd();
}

struct View {
  int x, y, w, h;      // viewport
  double halfWidth;    // ortho half width in model units
  V3 eye, centre, up;  // camera
};

void SetView(const View& v) {
  glViewport(v.x, v.y, v.w, v.h);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  double hh = v.halfWidth * v.h / v.w;
  glOrtho(-v.halfWidth, v.halfWidth, -hh, hh, -100, 100);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  gluLookAt(v.eye.x, v.eye.y, v.eye.z, v.centre.x, v.centre.y, v.centre.z, v.up.x, v.up.y, v.up.z);
}

void SetupScene() {
  glClearColor(0.16f, 0.3f, 0.42f, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_LIGHTING);
  glEnable(GL_LIGHT0);
  glEnable(GL_COLOR_MATERIAL);
  glEnable(GL_NORMALIZE);
  glColor3f(1, 1, 1);
  GLfloat ambient[] = {0.35f, 0.35f, 0.35f, 1}, diffuse[] = {0.8f, 0.8f, 0.8f, 1};
  glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
  glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
}

void PlaceLight(V3 dir) {
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  GLfloat pos[] = {float(dir.x), float(dir.y), float(dir.z), 0};
  glLightfv(GL_LIGHT0, GL_POSITION, pos);
  glPopMatrix();
}

bool Save(const std::string& path, const std::vector<std::uint8_t>& buffer) {
  glFinish();
  std::vector<std::uint8_t> flipped(buffer.size());
  const int row = kWidth * 4;
  for (int y = 0; y < kHeight; ++y)
    std::copy(buffer.begin() + y * row, buffer.begin() + (y + 1) * row,
              flipped.begin() + (kHeight - 1 - y) * row);
  return stbi_write_png(path.c_str(), kWidth, kHeight, 4, flipped.data(), row) != 0;
}

}  // namespace

bool RenderModels(const std::string& outDir, const std::string& skinDir,
                  const std::vector<PartGrid>& species, const LargeFishModel& large,
                  const std::vector<SlowPart>& slow, const SlowJoints& joints) {
  std::vector<std::uint8_t> buffer(kWidth * kHeight * 4);
  OSMesaContext ctx = OSMesaCreateContextExt(OSMESA_RGBA, 24, 0, 0, nullptr);
  if (!ctx || !OSMesaMakeCurrent(ctx, buffer.data(), GL_UNSIGNED_BYTE, kWidth, kHeight)) return false;
  auto skin = [&](int slot) {
    return skinDir.empty() ? std::string() : skinDir + "/fish" + std::to_string(slot) + ".bmp";
  };
  bool ok = true;

  // Species fish: side view (from +y), view from -y, top view, three-quarter view.
  {
    SetupScene();
    GLuint tex = MakeTexture(skin(0));
    glBindTexture(GL_TEXTURE_2D, tex);
    const View views[] = {
        {0, 450, 600, 450, 0.6, {0.03, 5, 0}, {0.03, 0, 0}, {0, 0, 1}},
        {600, 450, 600, 450, 0.6, {0.03, -5, 0}, {0.03, 0, 0}, {0, 0, 1}},
        {0, 0, 600, 450, 0.6, {0.03, 0, 5}, {0.03, 0, 0}, {0, 1, 0}},
        {600, 0, 600, 450, 0.6, {-2.5, 3, 2}, {0.03, 0, 0}, {0, 0, 1}},
    };
    for (const View& v : views) {
      SetView(v);
      PlaceLight({0.3, 0.5, 1});
      for (const PartGrid& g : species) EmitPart(g, 1.0);
    }
    ok = ok && Save(outDir + "/species.png", buffer);
  }
  // Large fish, drawn as in the tank: body by size, fins by size * 1.2 plus the offset, both
  // turned -90 about x and 180 about z and scaled by 0.2. Size 20 on top, size 8 below.
  {
    SetupScene();
    GLuint tex = MakeTexture(skin(10));
    const V3 offset{-0.500001, -8.49999, -6.7};
    const double sizes[] = {20, 8};
    for (int i = 0; i < 2; ++i) {
      double size = sizes[i];
      double half = size * 0.2 * 2.6;
      const View views[] = {
          {0, 450 - 450 * i, 600, 450, half, {0, 0, 30}, {0, 0, 0}, {0, 1, 0}},          // side
          {600, 450 - 450 * i, 600, 450, half, {-14, 10, 24}, {0, 0, 0}, {0, 1, 0}},   // 3/4
      };
      for (const View& v : views) {
        SetView(v);
        PlaceLight({0.3, 0.6, 1});
        glPushMatrix();
        glRotated(-90, 1, 0, 0);
        glRotated(180, 0, 0, 1);
        glScaled(0.2, 0.2, 0.2);
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, tex);
        EmitMesh(large.body, size);
        // The tank scales the fin offset with the size, as it was measured at size 20.
        for (const PartGrid& g : large.fins) EmitPart(g, size * 1.2, offset * (size / 20.0));
        glPopMatrix();
      }
    }
    ok = ok && Save(outDir + "/large.png", buffer);
  }
  // Slow fish: side, top, three-quarter, and bent 4 degrees a strip from above; then at the
  // largest bend head-on, from above, from three quarters and from the side.
  {
    SetupScene();
    GLuint tex = MakeTexture(skin(11));
    glBindTexture(GL_TEXTURE_2D, tex);
    const View views[] = {
        {0, 450, 600, 450, 1.45, {0, 5, 0}, {0, 0, 0}, {0, 0, 1}},
        {600, 450, 600, 450, 1.45, {0, 0, 5}, {0, 0, 0}, {0, 1, 0}},
        {0, 0, 600, 450, 1.45, {-2.6, 3, 2}, {0, 0, 0}, {0, 0, 1}},
        {600, 0, 600, 450, 1.45, {0, 0, 5}, {0, 0, 0}, {0, 1, 0}},
        // slow-bent.png, all at the largest bend: head-on (the nose towards the eye), from
        // above, from three quarters and from the side.
        {0, 450, 600, 450, 1.45, {-5, 0, 0.4}, {0, 0, 0}, {0, 0, 1}},
        {600, 450, 600, 450, 1.45, {0, 0, 5}, {0, 0, 0}, {0, 1, 0}},
        {0, 0, 600, 450, 1.45, {-2.6, 3, 2}, {0, 0, 0}, {0, 0, 1}},
        {600, 0, 600, 450, 1.45, {0, 5, 0}, {0, 0, 0}, {0, 0, 1}},
    };
    const double bendSteps[] = {0, 0, 0, 4, kSlowMaxBendStep, kSlowMaxBendStep,
                                kSlowMaxBendStep, kSlowMaxBendStep};
    for (int vi = 0; vi < 8; ++vi) {
      if (vi == 4) {
        ok = ok && Save(outDir + "/slow.png", buffer);
        SetupScene();
        glBindTexture(GL_TEXTURE_2D, tex);
      }
      SetView(views[vi]);
      PlaceLight({0.3, 0.5, 1});
      // Entry k lags the head by k steps, as in a turn; each entry's parts go where the
      // tank's joint chain puts them.
      const int entries = static_cast<int>(joints.x.size());
      std::vector<double> bend(entries);
      for (int k = 0; k < entries; ++k) bend[k] = bendSteps[vi] * k;
      std::vector<fish::JointFrame<double>> frames(entries);
      fish::ChainJoints(bend.data(), joints.x.data(), entries, joints.anchor, 1.0, frames.data());
      auto place = [&](int k) {
        const auto& f = frames[std::clamp(k, 0, entries - 1)];
        glTranslated(f.tx, f.ty, 0);
        glRotated(f.angleDegrees, 0, 0, 1);
      };
      for (const SlowPart& sp : slow) {
        const PartGrid& g = sp.grid;
        if (sp.yawEntry >= 0) {
          glPushMatrix();
          place(sp.yawEntry);
          EmitPart(g, 1.0);
          glPopMatrix();
          continue;
        }
        for (std::size_t s = 0; s < g.strips.size(); ++s) {
          PartGrid one = g;
          one.strips = {g.strips[s]};
          one.mirrored = 0;
          glPushMatrix();
          place(static_cast<int>(s));
          EmitPart(one, 1.0);
          glPopMatrix();
        }
      }
    }
    ok = ok && Save(outDir + "/slow-bent.png", buffer);
  }
  // The context lives until the program ends (this Mesa build crashes tearing it down).
  glFinish();
  return ok;
}

}  // namespace fishgen
