#include "fish/GeneratedPart.h"

#include <GL/gl.h>

#include <cmath>
#include <initializer_list>

namespace fish {

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

void PartCopy::EmitRows(const float (&m)[16], int strip, bool mirrored) const {
  const int rowA = part_.stripRows[strip * 2];
  const int rowB = part_.stripRows[strip * 2 + 1];
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

void PartCopy::EmitStrip(const float (&m)[16], int strip) const {
  if (valid_ && strip >= 0 && strip < part_.strips) EmitRows(m, strip, false);
}

void PartCopy::EmitMirroredStrip(const float (&m)[16], int strip) const {
  if (valid_ && strip >= 0 && strip < part_.strips) EmitRows(m, strip, true);
}

void PartCopy::EmitBothPasses(const float (&m)[16]) const {
  for (int s = 0; s < part_.strips; ++s) EmitStrip(m, s);
  for (int s = 0; s < part_.mirroredStrips; ++s) EmitMirroredStrip(m, s);
}

}  // namespace fish
