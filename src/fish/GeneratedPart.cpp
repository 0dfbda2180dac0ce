#include "fish/GeneratedPart.h"

#include <GL/gl.h>

#include <cmath>
#include <initializer_list>

namespace fish {
namespace {

// Room for the largest single draw: a whole slow fish (24 parts) fits several times.
constexpr int kBatchVertices = 8192;
constexpr int kBatchIndices = kBatchVertices * 3;  // two triangles per vertex pair at most
constexpr int kFloatsPerVertex = 8;                // s t, nx ny nz, x y z (GL_T2F_N3F_V3F)

bool immediateMode = false;
bool sharedRows = true;
bool batchOpen = false;

// The one batch of the program (one user-interface thread), allocated once.
struct Batch {
  GLfloat vertices[kBatchVertices * kFloatsPerVertex];
  GLushort indices[kBatchIndices];
  int vertexCount = 0;
  int indexCount = 0;
  int lastVertex = -1;  // the vertex immediate mode would have sent last
};
Batch& TheBatch() {
  static Batch batch;
  return batch;
}

void DrawBatch() {
  Batch& b = TheBatch();
  if (b.vertexCount > 0 && b.lastVertex >= 0) {
    if (b.indexCount > 0) {
      glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
      glInterleavedArrays(GL_T2F_N3F_V3F, 0, b.vertices);
      glDrawElements(GL_TRIANGLES, b.indexCount, GL_UNSIGNED_SHORT, b.indices);
      glPopClientAttrib();
    }
    // Immediate mode would leave the last vertex's normal and texture coordinate current.
    const GLfloat* last = b.vertices + b.lastVertex * kFloatsPerVertex;
    glTexCoord2f(last[0], last[1]);
    glNormal3f(last[2], last[3], last[4]);
  }
  b.vertexCount = 0;
  b.indexCount = 0;
  b.lastVertex = -1;
}

// The two triangles of every quad of a strip whose first row's vertex c is first + c and
// second row's second + c. Quad a b c d (a, b the first pair, c, d the next) splits as the
// rasterizer splits a quad strip: triangles a b d and c a d.
GLushort* StripTriangles(GLushort* out, int columns, int first, int second) {
  for (int c = 0; c + 1 < columns; ++c) {
    const auto a = static_cast<GLushort>(first + c);
    const auto bb = static_cast<GLushort>(second + c);
    const auto cc = static_cast<GLushort>(first + c + 1);
    const auto d = static_cast<GLushort>(second + c + 1);
    *out++ = a;
    *out++ = bb;
    *out++ = d;
    *out++ = cc;
    *out++ = a;
    *out++ = d;
  }
  return out;
}

// Appends one strip of `columns` vertex pairs; `vertex(k, out)` writes pair member k
// (k = 2c + 0 for the first row, 2c + 1 for the second) as s t nx ny nz x y z.
template <class Vertex>
void AppendStrip(int columns, Vertex vertex) {
  if (columns < 1) return;
  // A single pair draws nothing but, as in immediate mode, still sets the current values.
  const int count = columns * 2;
  Batch& b = TheBatch();
  if (b.vertexCount + count > kBatchVertices ||
      b.indexCount + (columns - 1) * 6 > kBatchIndices) {
    DrawBatch();
  }
  const int first = b.vertexCount;
  for (int k = 0; k < count; ++k) vertex(k, b.vertices + (first + k) * kFloatsPerVertex);
  // The pair members interleave: the first row's vertex c is first + 2c, the second's
  // first + 2c + 1.
  GLushort* out = b.indices + b.indexCount;
  for (int c = 0; c + 1 < columns; ++c) {
    const auto a = static_cast<GLushort>(first + 2 * c);
    const GLushort bb = a + 1, cc = a + 2, d = a + 3;
    *out++ = a;
    *out++ = bb;
    *out++ = d;
    *out++ = cc;
    *out++ = a;
    *out++ = d;
  }
  b.vertexCount += count;
  b.indexCount += (columns - 1) * 6;
  b.lastVertex = b.vertexCount - 1;
  if (!batchOpen) DrawBatch();
}

}  // namespace

void SetImmediateMode(bool immediate) {
  PartBatch::Flush();
  immediateMode = immediate;
}
bool ImmediateMode() { return immediateMode; }
void SetSharedRows(bool shared) { sharedRows = shared; }

PartBatch::PartBatch() : outer_(!batchOpen) { batchOpen = true; }

PartBatch::~PartBatch() {
  if (!outer_) return;
  DrawBatch();
  batchOpen = false;
}

void PartBatch::Flush() { DrawBatch(); }

void RotationMatrix(float (&m)[16], float angleRadians, float x, float y, float z) {
  for (float& v : m) v = 0.0f;
  m[15] = 1.0f;
  const float len = std::sqrt(x * x + y * y + z * z);
  if (len == 0.0f) {
    m[0] = m[5] = m[10] = 1.0f;
    return;
  }
  x /= len;
  y /= len;
  z /= len;
  const float c = std::cos(angleRadians);
  const float s = std::sin(angleRadians);
  const float t = 1.0f - c;
  m[0] = x * x * t + c;
  m[1] = y * x * t + z * s;
  m[2] = x * z * t - y * s;
  m[4] = x * y * t - z * s;
  m[5] = y * y * t + c;
  m[6] = y * z * t + x * s;
  m[8] = x * z * t + y * s;
  m[9] = y * z * t - x * s;
  m[10] = z * z * t + c;
}

void SetPartAngle(float (&m)[16], float degrees) {
  RotationMatrix(m, static_cast<float>(degrees * kDegreesToRadians), 0.0f, 0.0f, 1.0f);
}

void EmitVertex(const float (&m)[16], const float* p, const float* normal,
                const float* texcoord) {
  glNormal3f(normal[0], normal[1], normal[2]);
  glTexCoord2f(texcoord[0], texcoord[1]);
  glVertex3f(m[0] * p[0] + m[4] * p[1] + m[8] * p[2] + m[12],
             m[1] * p[0] + m[5] * p[1] + m[9] * p[2] + m[13],
             m[2] * p[0] + m[6] * p[1] + m[10] * p[2] + m[14]);
}

PartCopy::PartCopy(const models::PartModel& part, float scale) : part_(part) {
  const int count = part.rows * part.cols;
  if (count <= 0 || count > kMaxPartVertices) return;
  for (int i = 0; i < count * 3; ++i) pos_[i] = part.vertices[i] * scale;
  for (int i = 0; i < count; ++i) mirrorY_[i] = -pos_[i * 3 + 1];
  valid_ = true;
}

void PartCopy::SwingRows(const float* d) {
  if (!valid_) return;
  for (int r = 0; r < part_.rows; ++r) {
    for (int c = 0; c < part_.cols; ++c) {
      const int i = Index(r, c);
      pos_[i * 3 + 1] += d[c];
      mirrorY_[i] += d[c];
    }
  }
}

void PartCopy::FlapRow(int row, const float* d, float xStretch) {
  if (!valid_ || row < 0 || row >= part_.rows) return;
  for (int c = 0; c < part_.cols; ++c) {
    const int i = Index(row, c);
    pos_[i * 3] *= xStretch;
    pos_[i * 3 + 1] += d[c];
    mirrorY_[i] -= d[c];
  }
}

void PartCopy::Offset(float x, float y, float z) {
  if (!valid_) return;
  for (int i = 0; i < part_.rows * part_.cols; ++i) {
    pos_[i * 3] += x;
    pos_[i * 3 + 1] += y;
    pos_[i * 3 + 2] += z;
    mirrorY_[i] -= y;
  }
}

void PartCopy::Displace(int axis, int firstRow, int lastRow, const float* sample,
                        int sampleCount, bool byRow) {
  if (!valid_ || axis < 0 || axis > 2 || sampleCount <= 0) return;
  if (firstRow < 0) firstRow = 0;
  if (lastRow >= part_.rows) lastRow = part_.rows - 1;
  for (int r = firstRow; r <= lastRow; ++r) {
    for (int c = 0; c < part_.cols; ++c) {
      int k = byRow ? r : c;
      if (k > sampleCount - 1) k = sampleCount - 1;
      const int i = Index(r, c);
      pos_[i * 3 + axis] += sample[k];
      if (axis == 1) mirrorY_[i] -= sample[k];
    }
  }
}

// One vertex of the batch: s t, nx ny nz, then the position (mirrored or not) times the
// part matrix. Both batch paths write their vertices here, so they are the same floats.
inline void PartCopy::WriteVertex(const float (&m)[16], int i, bool mirrored,
                                  GLfloat* out) const {
  const float* p = pos_ + i * 3;
  const float y = mirrored ? mirrorY_[i] : p[1];
  out[0] = part_.texcoords[i * 2];
  out[1] = part_.texcoords[i * 2 + 1];
  out[2] = part_.normals[i * 3];
  out[3] = part_.normals[i * 3 + 1];
  out[4] = part_.normals[i * 3 + 2];
  out[5] = m[0] * p[0] + m[4] * y + m[8] * p[2] + m[12];
  out[6] = m[1] * p[0] + m[5] * y + m[9] * p[2] + m[13];
  out[7] = m[2] * p[0] + m[6] * y + m[10] * p[2] + m[14];
}

void PartCopy::EmitRows(const float (&m)[16], int strip, bool mirrored) const {
  const int rowA = part_.stripRows[strip * 2];
  const int rowB = part_.stripRows[strip * 2 + 1];
  if (!immediateMode) {
    AppendStrip(part_.cols, [&](int k, GLfloat* out) {
      WriteVertex(m, Index(k % 2 == 0 ? rowA : rowB, k / 2), mirrored, out);
    });
    return;
  }
  glBegin(GL_QUAD_STRIP);
  for (int c = 0; c < part_.cols; ++c) {
    for (const int row : {rowA, rowB}) {
      const int i = Index(row, c);
      if (mirrored) {
        const float p[3] = {pos_[i * 3], mirrorY_[i], pos_[i * 3 + 2]};
        EmitVertex(m, p, part_.normals + i * 3, part_.texcoords + i * 2);
      } else {
        EmitVertex(m, pos_ + i * 3, part_.normals + i * 3, part_.texcoords + i * 2);
      }
    }
  }
  glEnd();
}

// The first `strips` strips of one pass into the batch, each row that they share written
// once: neighbouring strips of a part share a row, and the GL then transforms and lights it
// once. The triangles are the same as strip by strip.
bool PartCopy::AppendPass(const float (&m)[16], int strips, bool mirrored) const {
  if (immediateMode || !sharedRows || part_.rows > kMaxPassRows || part_.cols < 2) return false;
  bool used[kMaxPassRows] = {};
  int rows = 0;
  for (int s = 0; s < strips; ++s)
    for (int k = 0; k < 2; ++k) {
      const int row = part_.stripRows[s * 2 + k];
      if (row < 0 || row >= part_.rows) return false;
      if (!used[row]) ++rows;
      used[row] = true;
    }
  const int vertices = rows * part_.cols;
  const int indices = strips * (part_.cols - 1) * 6;
  if (vertices > kBatchVertices || indices > kBatchIndices) return false;
  Batch& b = TheBatch();
  if (b.vertexCount + vertices > kBatchVertices || b.indexCount + indices > kBatchIndices)
    DrawBatch();
  int first[kMaxPassRows];
  for (int r = 0; r < part_.rows; ++r) {
    if (!used[r]) continue;
    first[r] = b.vertexCount;
    for (int c = 0; c < part_.cols; ++c)
      WriteVertex(m, Index(r, c), mirrored, b.vertices + (b.vertexCount + c) * kFloatsPerVertex);
    b.vertexCount += part_.cols;
  }
  GLushort* out = b.indices + b.indexCount;
  for (int s = 0; s < strips; ++s)
    out = StripTriangles(out, part_.cols, first[part_.stripRows[s * 2]],
                         first[part_.stripRows[s * 2 + 1]]);
  b.indexCount += indices;
  if (strips > 0) b.lastVertex = first[part_.stripRows[strips * 2 - 1]] + part_.cols - 1;
  if (!batchOpen) DrawBatch();
  return true;
}

void PartCopy::EmitStrip(const float (&m)[16], int strip) const {
  if (valid_ && strip >= 0 && strip < part_.strips) EmitRows(m, strip, false);
}

void PartCopy::EmitMirroredStrip(const float (&m)[16], int strip) const {
  if (valid_ && strip >= 0 && strip < part_.strips) EmitRows(m, strip, true);
}

void PartCopy::EmitBothPasses(const float (&m)[16]) const {
  if (!valid_) return;
  const int strips = part_.strips;
  const int mirrored = part_.mirroredStrips < strips ? part_.mirroredStrips : strips;
  if (!AppendPass(m, strips, false))
    for (int s = 0; s < strips; ++s) EmitStrip(m, s);
  if (!AppendPass(m, mirrored, true))
    for (int s = 0; s < mirrored; ++s) EmitMirroredStrip(m, s);
}

}  // namespace fish
