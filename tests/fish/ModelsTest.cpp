// Checks of the generated fish model tables: the part layouts the draw code relies on, and
// the geometry the skins and the lighting rely on.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "assets/TextureLoaders.h"

#include "fish/models/LargeFishModel.h"
#include "fish/models/SlowFishModel.h"
#include "fish/models/SpeciesFishModel.h"
#include "support/OffscreenGl.h"
#include "support/TempConfigDir.h"

using fish::models::PartModel;
using fish::models::SlowPartModel;
using fish::models::TriangleModel;

namespace {

// A packed fish skin loaded into the current GL context and read back: the brightness
// (r + g + b, 0..765) at a texture coordinate. The texture goes with it.
class SkinPixels {
 public:
  SkinPixels(int resourceId, const std::string& name)
      : texture_(assets::LoadPackedTexture(resourceId, name, false)) {}
  ~SkinPixels() { glDeleteTextures(1, &texture_); }
  SkinPixels(const SkinPixels&) = delete;
  SkinPixels& operator=(const SkinPixels&) = delete;

  // Reads the pixels back; false when the texture is empty.
  bool Read() {
    glBindTexture(GL_TEXTURE_2D, texture_);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w_);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &h_);
    if (w_ <= 0 || h_ <= 0) return false;
    rgb_.resize(static_cast<size_t>(w_) * h_ * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, rgb_.data());
    return true;
  }

  int Brightness(const float* t) const {
    const int x = std::min(w_ - 1, static_cast<int>(t[0] * w_));
    const int y = std::min(h_ - 1, static_cast<int>(t[1] * h_));
    const unsigned char* p = &rgb_[(static_cast<size_t>(y) * w_ + x) * 3];
    return p[0] + p[1] + p[2];
  }

 private:
  GLuint texture_;
  GLint w_ = 0, h_ = 0;
  std::vector<unsigned char> rgb_;
};

struct Vec {
  double x, y, z;
};
Vec At(const float* a, int i) { return {a[3 * i], a[3 * i + 1], a[3 * i + 2]}; }
Vec Sub(Vec a, Vec b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
double Dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vec Cross(Vec a, Vec b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double Len(Vec a) { return std::sqrt(Dot(a, a)); }

struct Layout {
  int rows, cols, strips, mirrored;
};

void ExpectLayout(const PartModel& p, const Layout& want, const char* what) {
  SCOPED_TRACE(what);
  EXPECT_EQ(p.rows, want.rows);
  EXPECT_EQ(p.cols, want.cols);
  EXPECT_EQ(p.strips, want.strips);
  EXPECT_EQ(p.mirroredStrips, want.mirrored);
  for (int s = 0; s < p.strips; ++s) {
    EXPECT_GE(p.stripRows[2 * s], 0);
    EXPECT_LT(p.stripRows[2 * s], p.rows);
    EXPECT_GE(p.stripRows[2 * s + 1], 0);
    EXPECT_LT(p.stripRows[2 * s + 1], p.rows);
    EXPECT_NE(p.stripRows[2 * s], p.stripRows[2 * s + 1]);
  }
}

// Every vertex finite, every normal of unit length, every texture coordinate in [0,1].
void ExpectSaneValues(const PartModel& p, const char* what) {
  SCOPED_TRACE(what);
  const int n = p.rows * p.cols;
  for (int i = 0; i < n; ++i) {
    Vec v = At(p.vertices, i), m = At(p.normals, i);
    ASSERT_TRUE(std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z)) << i;
    ASSERT_NEAR(Len(m), 1.0, 1e-3) << i;
    ASSERT_GE(p.texcoords[2 * i], 0.0f) << i;
    ASSERT_LE(p.texcoords[2 * i], 1.0f) << i;
    ASSERT_GE(p.texcoords[2 * i + 1], 0.0f) << i;
    ASSERT_LE(p.texcoords[2 * i + 1], 1.0f) << i;
  }
}

double MinX(const PartModel& p) {
  double m = 1e9;
  for (int i = 0; i < p.rows * p.cols; ++i) m = std::min(m, double(p.vertices[3 * i]));
  return m;
}
double MaxX(const PartModel& p) {
  double m = -1e9;
  for (int i = 0; i < p.rows * p.cols; ++i) m = std::max(m, double(p.vertices[3 * i]));
  return m;
}

}  // namespace

TEST(SpeciesFishModel, PartsHaveTheLayoutTheDrawEmits) {
  const Layout want[8] = {{6, 23, 5, 5}, {4, 7, 3, 3},  {2, 6, 1, 1},  {2, 23, 1, 1},
                          {2, 19, 1, 1}, {2, 10, 1, 1}, {2, 35, 1, 1}, {3, 7, 2, 2}};
  for (int i = 0; i < 8; ++i) {
    ExpectLayout(fish::models::kSpeciesFishParts[i], want[i], std::to_string(i).c_str());
    ExpectSaneValues(fish::models::kSpeciesFishParts[i], std::to_string(i).c_str());
  }
  // The body's strips join its rows in sequence around the cross-section; a fin strip is
  // (free edge, root) so that the draw moves only the free edge.
  const PartModel& body = fish::models::kSpeciesFishParts[0];
  for (int s = 0; s < 5; ++s) {
    EXPECT_EQ(body.stripRows[2 * s], s);
    EXPECT_EQ(body.stripRows[2 * s + 1], s + 1);
  }
  for (int i = 3; i <= 6; ++i) {
    EXPECT_EQ(fish::models::kSpeciesFishParts[i].stripRows[0], 0);
    EXPECT_EQ(fish::models::kSpeciesFishParts[i].stripRows[1], 1);
  }
}

TEST(SpeciesFishModel, ShapeSpansNoseToTailWithTheFinsOutside) {
  const PartModel& body = fish::models::kSpeciesFishParts[0];
  const PartModel& cap = fish::models::kSpeciesFishParts[1];
  const PartModel& tail = fish::models::kSpeciesFishParts[6];
  EXPECT_NEAR(std::min(MinX(body), MinX(cap)), -0.47, 0.01);
  EXPECT_NEAR(MaxX(body), 0.29, 0.01);
  EXPECT_NEAR(MaxX(tail), 0.53, 0.01);
  EXPECT_GT(MinX(tail), 0.2);  // the tail fin starts at the body's rear end
  // Column 0 at the head, column 22 at the tail end; the +y half only.
  for (int r = 0; r < body.rows; ++r) {
    EXPECT_LT(body.vertices[3 * (r * 23)], body.vertices[3 * (r * 23 + 22)]);
    for (int c = 0; c < 23; ++c) EXPECT_GE(body.vertices[3 * (r * 23 + c) + 1], -1e-6f);
  }
  // Height about 0.3 and thickness about 0.12 at the thickest column.
  double height = 0, width = 0;
  for (int c = 0; c < 23; ++c) {
    height = std::max(height, double(body.vertices[3 * (1 * 23 + c) + 2] -
                                     body.vertices[3 * (4 * 23 + c) + 2]));
    for (int r = 0; r < 6; ++r) width = std::max(width, 2.0 * body.vertices[3 * (r * 23 + c) + 1]);
  }
  EXPECT_GT(height, 0.2);
  EXPECT_LT(height, 0.4);
  EXPECT_NEAR(width, 0.12, 0.03);
}

TEST(SpeciesFishModel, BodyNormalsPointOutwardAndSkinIsASideView) {
  const PartModel& body = fish::models::kSpeciesFishParts[0];
  for (int c = 0; c < body.cols; ++c) {
    // The centre line of this column: half way between the upper and lower flank.
    double zc = 0.5 * (body.vertices[3 * (1 * 23 + c) + 2] + body.vertices[3 * (4 * 23 + c) + 2]);
    for (int r = 0; r < body.rows; ++r) {
      int i = r * body.cols + c;
      Vec p = At(body.vertices, i), n = At(body.normals, i);
      Vec out{0, p.y, p.z - zc};
      EXPECT_GT(Dot(n, out), 0) << "row " << r << " column " << c;
    }
  }
  // Every part but the eye maps s = x + 0.47 (nose 0, tail tip 1) and t rising with z, so
  // one painted side view fits all parts on both sides.
  for (int k = 0; k < 7; ++k) {
    const PartModel& p = fish::models::kSpeciesFishParts[k];
    for (int i = 0; i < p.rows * p.cols; ++i) {
      double s = std::clamp(p.vertices[3 * i] + 0.47, 0.0, 1.0);
      EXPECT_NEAR(p.texcoords[2 * i], s, 1e-4) << k << " " << i;
    }
  }
  const PartModel& tail = fish::models::kSpeciesFishParts[6];
  EXPECT_GT(tail.texcoords[1], tail.texcoords[2 * 34 + 1]);  // upper lobe tip above lower
}

// The eye disc maps onto the eye swatch in the skins' top-left corner (s < 0.06, t > 0.94),
// centre on the pupil; no other part samples that corner, so the swatch never shows on the
// head.
TEST(SpeciesFishModel, OnlyTheEyeSamplesTheEyeSwatch) {
  auto inSwatch = [](const float* t) { return t[0] < 0.06f && t[1] > 0.94f; };
  for (int k = 0; k < 7; ++k) {
    const PartModel& p = fish::models::kSpeciesFishParts[k];
    for (int i = 0; i < p.rows * p.cols; ++i)
      EXPECT_FALSE(inSwatch(p.texcoords + 2 * i)) << "part " << k << " vertex " << i;
  }
  const PartModel& eye = fish::models::kSpeciesFishParts[7];
  double minS = 1, maxS = 0, minT = 1, maxT = 0;
  for (int i = 0; i < eye.rows * eye.cols; ++i) {
    const float* t = eye.texcoords + 2 * i;
    EXPECT_TRUE(inSwatch(t)) << i;
    minS = std::min<double>(minS, t[0]), maxS = std::max<double>(maxS, t[0]);
    minT = std::min<double>(minT, t[1]), maxT = std::max<double>(maxT, t[1]);
  }
  // The disc covers the painted circle, not a sliver of it.
  EXPECT_GT(maxS - minS, 0.02);
  EXPECT_GT(maxT - minT, 0.04);
  for (int c = 0; c < eye.cols; ++c) {  // row 0 is the disc's centre
    EXPECT_NEAR(eye.texcoords[2 * c], 0.03, 1e-4);
    EXPECT_NEAR(eye.texcoords[2 * c + 1], 0.97, 1e-4);
  }
}

// The skins the program packs carry the pupil where the eye's centre samples them, and the
// disc's rim stays dark too (texture rows are bottom-up: row 0 is t = 0).
TEST(SpeciesFishModel, EyeDiscLandsOnEveryPackedSkinsEye) {
  TempConfigDir dir;
  std::filesystem::create_directories(dir.settingsDir());
  OffscreenGl gl;
  const PartModel& eye = fish::models::kSpeciesFishParts[7];
  for (int slot = 0; slot < 10; ++slot) {
    SCOPED_TRACE(slot);
    SkinPixels skin(10000 + slot, "fish" + std::to_string(slot));
    ASSERT_TRUE(skin.Read());
    auto brightness = [&](const float* t) { return skin.Brightness(t); };
    EXPECT_LT(brightness(eye.texcoords), 120);  // the pupil
    for (int c = 0; c < eye.cols; ++c) EXPECT_LT(brightness(eye.texcoords + 2 * (2 * eye.cols + c)), 300) << c;
    // ...while the head just behind the mouth is the fish's own colour, not the eye's.
    const PartModel& head = fish::models::kSpeciesFishParts[1];
    int bright = 0;
    for (int i = 0; i < head.rows * head.cols; ++i) bright += brightness(head.texcoords + 2 * i) >= 150;
    EXPECT_GT(bright, 0);
  }
}

TEST(LargeFishModel, BodyHasItsExactCountsAndValidTriangles) {
  const TriangleModel& m = fish::models::kLargeFishBody;
  ASSERT_EQ(m.triangleCount, 5055);
  ASSERT_EQ(m.vertexCount, 2941);
  ASSERT_EQ(m.normalCount, 3342);
  ASSERT_EQ(m.texcoordCount, 2184);
  int covered = 0;
  for (int r = 0; r < m.runCount; ++r) {
    EXPECT_GE(m.runs[2 * r], 0);
    EXPECT_LE(m.runs[2 * r], 10);
    EXPECT_GT(m.runs[2 * r + 1], 0);
    covered += m.runs[2 * r + 1];
  }
  EXPECT_EQ(covered, 5055);
  std::vector<bool> vUsed(m.vertexCount), nUsed(m.normalCount), tUsed(m.texcoordCount);
  int disagreeing = 0;
  for (int t = 0; t < m.triangleCount; ++t) {
    const std::uint16_t* ix = m.indices + 9 * t;
    for (int k = 0; k < 3; ++k) {
      ASSERT_LT(ix[k], m.vertexCount);
      ASSERT_LT(ix[3 + k], m.normalCount);
      ASSERT_LT(ix[6 + k], m.texcoordCount);
      vUsed[ix[k]] = nUsed[ix[3 + k]] = tUsed[ix[6 + k]] = true;
    }
    Vec a = At(m.vertices, ix[0]), b = At(m.vertices, ix[1]), c = At(m.vertices, ix[2]);
    Vec face = Cross(Sub(b, a), Sub(c, a));
    ASSERT_GT(Len(face), 1e-7) << "degenerate triangle " << t;
    // The smooth normals agree with the winding (the face's outside).
    for (int k = 0; k < 3; ++k)
      if (Dot(face, At(m.normals, ix[3 + k])) <= 0) ++disagreeing;
  }
  EXPECT_LT(disagreeing, m.triangleCount * 3 / 200);  // a few at the sharpest tips at most
  // Every table entry is used and valid.
  EXPECT_EQ(std::count(vUsed.begin(), vUsed.end(), false), 0);
  EXPECT_EQ(std::count(nUsed.begin(), nUsed.end(), false), 0);
  EXPECT_EQ(std::count(tUsed.begin(), tUsed.end(), false), 0);
  for (int i = 0; i < m.normalCount; ++i) ASSERT_NEAR(Len(At(m.normals, i)), 1.0, 1e-3);
  for (int i = 0; i < 2 * m.texcoordCount; ++i) {
    ASSERT_GE(m.texcoords[i], 0.0f);
    ASSERT_LE(m.texcoords[i], 1.0f);
  }
}

// The torso (head and body skin, materials 0 and 1) is shaded round: a vertex keeps one
// normal in all its triangles (only the gill cover's and the cheek's crease rings may keep
// two), not one per face as a faceted body would, and the normals on each flank point to
// that flank's side.
TEST(LargeFishModel, TheTorsoHasSmoothOutwardNormals) {
  const TriangleModel& m = fish::models::kLargeFishBody;
  std::vector<std::vector<int>> normalsOf(m.vertexCount);
  int sideCorners = 0, wrongSide = 0;
  for (int r = 0, t = 0; r < m.runCount; ++r) {
    const int material = m.runs[2 * r], end = t + m.runs[2 * r + 1];
    for (; t < end; ++t) {
      if (material > 1) continue;
      const std::uint16_t* ix = m.indices + 9 * t;
      for (int k = 0; k < 3; ++k) {
        std::vector<int>& seen = normalsOf[ix[k]];
        if (std::find(seen.begin(), seen.end(), ix[3 + k]) == seen.end()) seen.push_back(ix[3 + k]);
        const Vec p = At(m.vertices, ix[k]), n = At(m.normals, ix[3 + k]);
        if (std::fabs(p.y) > 0.05) {
          ++sideCorners;
          if (n.y * p.y <= 0) ++wrongSide;
        }
      }
    }
  }
  int torso = 0, single = 0, many = 0;
  for (const auto& seen : normalsOf) {
    if (seen.empty()) continue;
    ++torso;
    single += seen.size() == 1;
    many += seen.size() > 2;
  }
  ASSERT_GT(torso, 500);
  EXPECT_GT(single, torso * 9 / 10);
  EXPECT_EQ(many, 0);
  ASSERT_GT(sideCorners, 1000);
  EXPECT_EQ(wrongSide, 0);
}

// The large fish's skin and model meet: the centre of each eye disc (the first corner of the
// first triangle of each eye in the eye run) samples the painted pupil, and the pectoral and
// pelvic fins wear the fin-ray swatch in the skin's top-left corner, which no body triangle
// samples (else the flank's pattern would show on the fins, or the rays on the flank).
TEST(LargeFishModel, EyesLandOnThePupilAndPairedFinsOnTheirOwnSwatch) {
  const TriangleModel& m = fish::models::kLargeFishBody;
  constexpr float kLeft = 0.01f, kRight = 0.17f, kBottom = 0.80f, kTop = 0.98f;
  auto inSwatch = [&](const float* t) {
    return t[0] >= kLeft && t[0] <= kRight && t[1] >= kBottom && t[1] <= kTop;
  };
  for (int i = 0; i < m.texcoordCount; ++i)
    EXPECT_FALSE(inSwatch(m.texcoords + 2 * i)) << "body texcoord " << i;
  for (int f = 0; f < 3; ++f) {
    const PartModel& fin = fish::models::kLargeFishFins[f];
    for (int i = 0; i < fin.rows * fin.cols; ++i)
      ASSERT_TRUE(inSwatch(fin.texcoords + 2 * i)) << "fin " << f << " vertex " << i;
    // Root (row 0) to edge (last row) runs up the swatch, so the rays run along the fin.
    EXPECT_LT(fin.texcoords[1], fin.texcoords[2 * (fin.rows - 1) * fin.cols + 1]) << f;
  }
  int first = 0, count = 0;
  for (int r = 0, start = 0; r < m.runCount; start += m.runs[2 * r + 1], ++r)
    if (m.runs[2 * r] == 2) {
      first = start;
      count = m.runs[2 * r + 1];
    }
  ASSERT_GT(count, 0);

  TempConfigDir dir;
  std::filesystem::create_directories(dir.settingsDir());
  OffscreenGl gl;
  SkinPixels skin(10010, "fish10");
  ASSERT_TRUE(skin.Read());
  auto brightness = [&](const float* t) { return skin.Brightness(t); };
  for (const int tri : {first, first + count / 2}) {
    const float* centre = m.texcoords + 2 * m.indices[9 * tri + 6];
    EXPECT_LT(brightness(centre), 120) << "eye at triangle " << tri << " s " << centre[0] << " t " << centre[1];
  }
  // The belly under the eye is pale: the pupil is the eye's, not the whole head dark.
  const float belly[2] = {m.texcoords[2 * m.indices[9 * first + 6]], 0.3f};
  EXPECT_GT(brightness(belly), 300);
}

TEST(LargeFishModel, FacesMinusXInTheTankAndIsLargeButFits) {
  const TriangleModel& m = fish::models::kLargeFishBody;
  double minX = 1e9, maxX = -1e9, minZ = 1e9, maxZ = -1e9;
  for (int i = 0; i < m.vertexCount; ++i) {
    Vec v = At(m.vertices, i);
    minX = std::min(minX, v.x), maxX = std::max(maxX, v.x);
    minZ = std::min(minZ, v.z), maxZ = std::max(maxZ, v.z);
  }
  // Size 20, then 0.2: 15 to 20 tank units long.
  EXPECT_GT((maxX - minX) * 20 * 0.2, 15.0);
  EXPECT_LT((maxX - minX) * 20 * 0.2, 20.0);
  // The draw turns the model 180 degrees about z, so its head must lie at +x: the eyes
  // (material 2) sit in the front fifth.
  int t = 0;
  for (int r = 0; r < m.runCount; ++r) {
    for (int k = 0; k < m.runs[2 * r + 1]; ++k, ++t) {
      if (m.runs[2 * r] != 2) continue;
      for (int c = 0; c < 3; ++c) EXPECT_GT(At(m.vertices, m.indices[9 * t + c]).x, maxX - 0.2 * (maxX - minX));
    }
  }
  // Upright: the belly's texture coordinate t is low, the back's high.
  EXPECT_LT(maxZ - minZ, 0.6 * (maxX - minX));
}

// The fins' roots (row 1; the waves never move rows 0 and 1) sit on the skin at both sizes a
// large fish has, with the part offset scaled by size / 20 as the draw scales it. The same
// fixed offset at size 8 would leave them hanging, which the measure must tell apart.
TEST(LargeFishModel, FinsHaveTheirLayoutAndSitOnTheBodyAtBothSizes) {
  const Layout want[5] = {{9, 9, 8, 8}, {10, 9, 9, 8}, {10, 9, 9, 8}, {10, 9, 9, 8}, {10, 9, 9, 9}};
  const TriangleModel& m = fish::models::kLargeFishBody;
  const Vec offset{-0.500001, -8.49999, -6.7};
  // Largest distance, in body units, from a fin's root to the nearest body vertex.
  auto rootDistance = [&](const PartModel& p, double size, double offsetScale) {
    double worst = 0;
    for (int c = 0; c < p.cols; ++c) {
      const Vec v = At(p.vertices, p.cols + c);
      const double k = size * 1.2;
      const Vec placed{(v.x * k + offset.x * offsetScale) / size,
                       (v.y * k + offset.y * offsetScale) / size,
                       (v.z * k + offset.z * offsetScale) / size};
      double nearest = 1e9;
      for (int i = 0; i < m.vertexCount; ++i)
        nearest = std::min(nearest, Len(Sub(At(m.vertices, i), placed)));
      worst = std::max(worst, nearest);
    }
    return worst;
  };
  double fixedWorst = 0;
  for (int f = 0; f < 5; ++f) {
    const PartModel& p = fish::models::kLargeFishFins[f];
    ExpectLayout(p, want[f], std::to_string(f).c_str());
    ExpectSaneValues(p, std::to_string(f).c_str());
    for (const double size : {20.0, 8.0})
      EXPECT_LT(rootDistance(p, size, size / 20), 0.12) << "fin " << f << " size " << size;
    fixedWorst = std::max(fixedWorst, rootDistance(p, 8.0, 1.0));
  }
  EXPECT_GT(fixedWorst, 0.12);
}

TEST(SlowFishModel, PartsFollowTheSlowFishTable) {
  const SlowPartModel* p = fish::models::kSlowFishParts;
  // Trunk: 13 strips of 11 columns, each turned by its own bend entry, no mirrored pass.
  // Every strip has rows of its own: a front ring that reaches back into the strip before
  // (so that neighbours overlap) and a rear rim; rims and front rings run head to tail.
  ExpectLayout(p[0].part, {26, 11, 13, 0}, "trunk");
  EXPECT_EQ(p[0].yawEntry, -1);
  auto ringX = [&](int row) { return p[0].part.vertices[3 * (row * 11)]; };
  for (int k = 0; k < 13; ++k) {
    const int front = p[0].part.stripRows[2 * k], rim = p[0].part.stripRows[2 * k + 1];
    EXPECT_LT(ringX(front), ringX(rim)) << k;
    if (k > 0) {
      const int before = p[0].part.stripRows[2 * k - 1];
      const int beforeFront = p[0].part.stripRows[2 * k - 2];
      EXPECT_LT(ringX(front), ringX(before)) << "strip " << k << " overlaps the one before";
      EXPECT_GT(ringX(front), ringX(beforeFront)) << k;
      EXPECT_LT(ringX(before), ringX(rim)) << k;
    }
  }
  // Each strip turns about its joint: joint k + 1 is where strip k ends (its rim), so the
  // strips meet there; joint 0 is where the first begins, and the anchor strip lies over
  // the origin, about which it turns.
  const fish::models::SlowJointModel& j = fish::models::kSlowFishJoints;
  for (int k = 0; k < 13; ++k) {
    EXPECT_FLOAT_EQ(j.x[k + 1], ringX(p[0].part.stripRows[2 * k + 1])) << "joint " << k + 1;
    EXPECT_LT(j.x[k], j.x[k + 1]) << k;
  }
  EXPECT_LT(ringX(p[0].part.stripRows[0]), j.x[0]);  // the first front ring is in the head
  EXPECT_GT(ringX(p[0].part.stripRows[0]), j.x[0] - 0.05f);
  ASSERT_GE(j.anchor, 0);
  ASSERT_LT(j.anchor, 13);
  EXPECT_LE(j.x[j.anchor], 0.0f);
  EXPECT_GT(j.x[j.anchor + 1], 0.0f);
  const int headStrips[5] = {4, 6, 6, 4, 4};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(p[1 + i].part.cols, 5);
    EXPECT_EQ(p[1 + i].part.strips, headStrips[i]);
    EXPECT_EQ(p[1 + i].part.mirroredStrips, 0);
    EXPECT_EQ(p[1 + i].yawEntry, 0);
    EXPECT_EQ(p[1 + i].driveCount, i == 0 ? 1 : 2);
    if (i > 0) {
      EXPECT_EQ(p[1 + i].drives[1].sampleArray, 4);
    }
  }
  EXPECT_EQ(p[6].part.cols, 11);
  EXPECT_EQ(p[7].part.cols, 12);
  for (int i = 6; i <= 7; ++i) {
    EXPECT_EQ(p[i].part.strips, 1);
    EXPECT_EQ(p[i].part.mirroredStrips, 0);
    EXPECT_EQ(p[i].drives[1].sampleArray, 3);
  }
  EXPECT_EQ(p[8].part.cols, 7);
  EXPECT_EQ(p[8].part.strips, 4);
  EXPECT_EQ(p[8].part.mirroredStrips, 4);
  // Head parts move with the body wave on the vertical.
  for (int i = 1; i <= 8; ++i) {
    EXPECT_EQ(p[i].drives[0].sampleArray, 0) << i;
    EXPECT_EQ(p[i].drives[0].axis, 2) << i;
  }
  const int pairedStrips[12] = {6, 6, 5, 5, 5, 6, 6, 8, 7, 6, 7, 7};
  const int pairedYaw[12] = {3, 3, 4, 4, 5, 5, 6, 7, 8, 9, 10, 11};
  for (int i = 0; i < 12; ++i) {
    const SlowPartModel& q = p[9 + i];
    EXPECT_EQ(q.part.cols, 5) << i;
    EXPECT_EQ(q.part.strips, pairedStrips[i]) << i;
    EXPECT_EQ(q.part.mirroredStrips, pairedStrips[i]) << i;
    EXPECT_EQ(q.yawEntry, pairedYaw[i]) << i;
    EXPECT_EQ(q.drives[0].sampleArray, i < 7 ? 2 : 5) << i;
  }
  for (int i = 21; i <= 22; ++i) {
    EXPECT_EQ(p[i].part.cols, 8);
    EXPECT_EQ(p[i].part.strips, 2);
    EXPECT_EQ(p[i].part.mirroredStrips, 0);
    EXPECT_EQ(p[i].yawEntry, 13);
    EXPECT_EQ(p[i].drives[0].sampleArray, 1);
  }
  EXPECT_EQ(p[21].driveCount, 2);
  EXPECT_EQ(p[21].drives[1].sampleArray, 6);
}

TEST(SlowFishModel, DrivesStayInsideTheirPartsAndSamples) {
  const int samples[7] = {14, 8, 9, 12, 12, 9, 8};
  for (int i = 0; i < 24; ++i) {
    const SlowPartModel& q = fish::models::kSlowFishParts[i];
    ExpectSaneValues(q.part, std::to_string(i).c_str());
    ASSERT_GE(q.driveCount, 1);
    ASSERT_LE(q.driveCount, 2);
    for (int d = 0; d < q.driveCount; ++d) {
      const auto& v = q.drives[d];
      SCOPED_TRACE(i);
      EXPECT_GE(v.sampleArray, 0);
      EXPECT_LE(v.sampleArray, 6);
      EXPECT_GE(v.axis, 0);
      EXPECT_LE(v.axis, 2);
      EXPECT_GE(v.firstRow, 0);
      EXPECT_LE(v.firstRow, v.lastRow);
      EXPECT_LT(v.lastRow, q.part.rows);
      // A fin's free edge gets a sample of its own rather than the clamped last one.
      int last = v.indexBy == 1 ? v.lastRow : q.part.cols - 1;
      EXPECT_LT(last, samples[v.sampleArray]);
    }
  }
}

// Drawn flat white as the draw code emits it (first pass, then the mirrored pass), the
// species fish must show a closed silhouette: seen from the side and from above, every
// pixel column across the body is covered without a gap between parts or the two halves.
namespace {

void DrawSpeciesFlat() {
  for (int k = 0; k < 8; ++k) {
    const PartModel& p = fish::models::kSpeciesFishParts[k];
    for (int pass = 0; pass < 2; ++pass) {
      int count = pass == 0 ? p.strips : p.mirroredStrips;
      for (int s = 0; s < count; ++s) {
        glBegin(GL_QUAD_STRIP);
        for (int c = 0; c < p.cols; ++c)
          for (int r : {p.stripRows[2 * s], p.stripRows[2 * s + 1]}) {
            const float* v = p.vertices + 3 * (r * p.cols + c);
            glVertex3f(v[0], pass ? -v[1] : v[1], v[2]);
          }
        glEnd();
      }
    }
  }
}

// Largest number of uncovered pixels between the first and last covered one of a column,
// over the columns whose model x lies in [x0, x1] (the image spans x -0.6 .. 0.6).
int WorstGap(OffscreenGl& gl, double x0, double x1) {
  int worst = 0;
  for (int px = 0; px < gl.width(); ++px) {
    double x = -0.6 + 1.2 * (px + 0.5) / gl.width();
    if (x < x0 || x > x1) continue;
    int first = -1, last = -1;
    for (int py = 0; py < gl.height(); ++py)
      if (gl.pixel(px, py)[0] > 128) {
        if (first < 0) first = py;
        last = py;
      }
    if (first < 0) return gl.height();
    int gap = 0;
    for (int py = first; py <= last; ++py)
      if (gl.pixel(px, py)[0] <= 128) ++gap;
    worst = std::max(worst, gap);
  }
  return worst;
}

void Render(OffscreenGl& gl, bool fromAbove) {
  glViewport(0, 0, gl.width(), gl.height());
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glDisable(GL_LIGHTING);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_CULL_FACE);
  glColor3f(1, 1, 1);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-0.6, 0.6, -0.3, 0.3, -5, 5);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  if (!fromAbove) glRotatef(-90, 1, 0, 0);  // look along +y: x right, z up
  DrawSpeciesFlat();
  glFinish();
}

}  // namespace

TEST(SpeciesFishModel, MirroredPartsCloseIntoOneSolidShape) {
  OffscreenGl gl(480, 240);
  Render(gl, false);
  // The head (cap, mouth, eye, body) and the tail's root up to its fork; between them the
  // swept-back fins leave open space under the belly, as they should.
  EXPECT_EQ(WorstGap(gl, -0.45, -0.13), 0);
  EXPECT_EQ(WorstGap(gl, 0.24, 0.42), 0);
  // From above: the run of covered pixels through the mirror plane reaches equally far to
  // both sides, so the two halves meet and match.
  Render(gl, true);
  const int centre = gl.height() / 2;
  for (int px = 0; px < gl.width(); ++px) {
    double x = -0.6 + 1.2 * (px + 0.5) / gl.width();
    if (x < -0.45 || x > 0.27) continue;
    ASSERT_GT(gl.pixel(px, centre)[0], 128) << px;
    int up = centre, down = centre - 1;
    while (up + 1 < gl.height() && gl.pixel(px, up + 1)[0] > 128) ++up;
    while (down - 1 >= 0 && gl.pixel(px, down - 1)[0] > 128) --down;
    EXPECT_NEAR(up - centre, centre - 1 - down, 2) << px;
    EXPECT_GE(up - centre, 2) << px;
  }
}
