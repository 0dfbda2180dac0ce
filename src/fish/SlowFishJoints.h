#pragma once
#include <cmath>

// The slow fish bends as a chain: each bend entry turns the parts it owns about that entry's
// joint on the body's axis, and each joint stays where the strip before it, turned by its own
// entry, ends. One strip, the anchor (the one over the fish's origin), turns about the
// origin; every other strip hangs from its neighbour towards the anchor. Neighbouring strips
// then meet at their shared joint however far their entries differ, and a part turned by
// entry k moves with strip k.
//
// Plain arithmetic, no GL: the model generator measures and draws with the same chain.
namespace fish {

// Where the parts of one bend entry go: p' = R(angle) p + (tx, ty), R the turn about z.
template <class Real>
struct JointFrame {
  Real angleDegrees = 0;
  Real tx = 0, ty = 0;
};

// frames[k] for every entry 0..count-1 from the bend angles (degrees), the entries' rest
// joints along x (model units; joint k is where strip k begins, the last joint where the
// last strip ends), the anchor entry and the fish's size.
template <class Real, class Bend, class Joint>
void ChainJoints(const Bend* bend, const Joint* jointX, int count, int anchor, Real size,
                 JointFrame<Real>* frames) {
  if (count <= 0) return;
  if (anchor < 0) anchor = 0;
  if (anchor >= count) anchor = count - 1;
  constexpr double kDegToRad = 0.017453292519943295;
  auto turn = [&](int k, double x, double& ox, double& oy) {
    const double a = static_cast<double>(bend[k]) * kDegToRad;
    ox = std::cos(a) * x;
    oy = std::sin(a) * x;
  };
  // The joints' places, then each frame's translation: joint place minus the turned rest
  // joint. The anchor's translation is 0: it turns about the origin.
  double px[64], py[64];
  if (count > 64) count = 64;
  turn(anchor, static_cast<double>(jointX[anchor]) * size, px[anchor], py[anchor]);
  for (int k = anchor + 1; k < count; ++k) {
    double dx, dy;
    turn(k - 1, (static_cast<double>(jointX[k]) - jointX[k - 1]) * size, dx, dy);
    px[k] = px[k - 1] + dx;
    py[k] = py[k - 1] + dy;
  }
  for (int k = anchor - 1; k >= 0; --k) {
    double dx, dy;
    turn(k, (static_cast<double>(jointX[k + 1]) - jointX[k]) * size, dx, dy);
    px[k] = px[k + 1] - dx;
    py[k] = py[k + 1] - dy;
  }
  for (int k = 0; k < count; ++k) {
    double rx, ry;
    turn(k, static_cast<double>(jointX[k]) * size, rx, ry);
    frames[k].angleDegrees = static_cast<Real>(bend[k]);
    frames[k].tx = k == anchor ? Real(0) : static_cast<Real>(px[k] - rx);
    frames[k].ty = k == anchor ? Real(0) : static_cast<Real>(py[k] - ry);
  }
}

}  // namespace fish
