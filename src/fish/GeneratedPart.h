#pragma once
#include "fish/models/ModelTypes.h"

// Emitting the profile-row parts of every fish body: the part's rows are copied, scaled and
// displaced on the stack (never in place), then sent as quad strips, and again mirrored
// across the median plane y = 0.
namespace fish {

inline constexpr double kDegreesToRadians = 0.017453292519943295;
// The largest part any fish body has, in vertices (rows x columns).
inline constexpr int kMaxPartVertices = 512;

// How parts reach the GL. The default fills the strips into a preallocated vertex array and
// draws them as indexed triangles, split exactly as the rasterizer splits a quad strip (quad
// a b c d of a strip gives the triangles a b d and c a d), so both paths draw the same pixels
// and hit the same picks. The immediate path sends every vertex with its own
// glNormal/glTexCoord/glVertex as a GL_QUAD_STRIP. Either way the current normal and texture
// coordinate are left at the last vertex's, as later unlit-normal draws rely on them.
void SetImmediateMode(bool immediate);
bool ImmediateMode();
// On by default: the batched path writes each row that neighbouring strips share once (the
// same triangles, fewer vertices to transform). Off writes every strip's rows, for comparison.
void SetSharedRows(bool shared);

// While a batch is open, the strips of every part go into one array and reach the GL as one
// draw when the batch closes or Flush() is called (which the owner must do before changing
// any GL state or matrix). Without an open batch every emit call draws at once. Batches do
// not nest: an inner one simply adds to the outer.
class PartBatch {
 public:
  PartBatch();
  ~PartBatch();
  PartBatch(const PartBatch&) = delete;
  PartBatch& operator=(const PartBatch&) = delete;
  static void Flush();

 private:
  bool outer_;
};

// The standard axis-angle rotation (column-major, no translation). A zero axis gives the
// identity.
void RotationMatrix(float (&m)[16], float angleRadians, float x, float y, float z);
// The part matrix for a yaw of `degrees` about model z.
void SetPartAngle(float (&m)[16], float degrees);
// Sends the normal, then the texture coordinate, then the position times the part matrix.
void EmitVertex(const float (&m)[16], const float* position, const float* normal,
                const float* texcoord);

// A per-call copy of one part's rows: positions scaled by the fish's size, displaced by the
// waves, plus the y every vertex takes in the mirrored pass.
class PartCopy {
 public:
  // Copies and scales the rows. A part larger than kMaxPartVertices is refused (IsValid()
  // false) and then emits nothing.
  PartCopy(const models::PartModel& part, float scale);
  bool IsValid() const { return valid_; }
  const models::PartModel& part() const { return part_; }

  // The pool fish's body: every row sways by d[column] in both passes
  // (y' = y + d, mirrored y' = -y + d).
  void SwingRows(const float* d);
  // A fin: only `row` (the free edge) moves (y' = y + d, mirrored -(y + d)); its x is also
  // multiplied by xStretch.
  void FlapRow(int row, const float* d, float xStretch);
  // Adds an offset to every position (the mirrored pass negates the shifted y).
  void Offset(float x, float y, float z);
  // Adds sample[index] to coordinate `axis` (0 x, 1 y, 2 z) of every vertex of rows
  // firstRow..lastRow, where index is the vertex's column (byRow false) or its row, clamped
  // to sampleCount - 1. The mirrored pass negates y after the displacement.
  void Displace(int axis, int firstRow, int lastRow, const float* sample, int sampleCount,
                bool byRow);

  // Strip s of the first pass (rows stripRows[2s], stripRows[2s+1]) as one quad strip.
  void EmitStrip(const float (&m)[16], int strip) const;
  // The same strip with the mirrored positions.
  void EmitMirroredStrip(const float (&m)[16], int strip) const;
  // All strips of the first pass, then the part's mirrored strips.
  void EmitBothPasses(const float (&m)[16]) const;

  float x(int row, int col) const { return pos_[Index(row, col) * 3]; }
  float y(int row, int col) const { return pos_[Index(row, col) * 3 + 1]; }
  float z(int row, int col) const { return pos_[Index(row, col) * 3 + 2]; }
  float mirroredY(int row, int col) const { return mirrorY_[Index(row, col)]; }

 private:
  static constexpr int kMaxPassRows = 64;
  int Index(int row, int col) const { return row * part_.cols + col; }
  void EmitRows(const float (&m)[16], int strip, bool mirrored) const;
  void WriteVertex(const float (&m)[16], int i, bool mirrored, float* out) const;
  // A whole pass into the batch with shared rows written once; false when it cannot (the
  // immediate path, or a part too large), and nothing was emitted.
  bool AppendPass(const float (&m)[16], int strips, bool mirrored) const;

  const models::PartModel& part_;
  bool valid_ = false;
  float pos_[kMaxPartVertices * 3];
  float mirrorY_[kMaxPartVertices];
};

}  // namespace fish
