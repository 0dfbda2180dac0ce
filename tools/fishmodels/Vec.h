#pragma once
#include <cmath>

// Small vector types for building the fish meshes.
namespace fishgen {

struct V2 {
  double s = 0, t = 0;
};

struct V3 {
  double x = 0, y = 0, z = 0;
  V3() = default;
  V3(double ax, double ay, double az) : x(ax), y(ay), z(az) {}
  V3 operator+(const V3& o) const { return {x + o.x, y + o.y, z + o.z}; }
  V3 operator-(const V3& o) const { return {x - o.x, y - o.y, z - o.z}; }
  V3 operator*(double k) const { return {x * k, y * k, z * k}; }
  V3 operator-() const { return {-x, -y, -z}; }
  V3& operator+=(const V3& o) {
    x += o.x;
    y += o.y;
    z += o.z;
    return *this;
  }
};

inline double Dot(const V3& a, const V3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline V3 Cross(const V3& a, const V3& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline double Length(const V3& a) { return std::sqrt(Dot(a, a)); }
inline V3 Normalize(const V3& a) {
  double l = Length(a);
  return l > 1e-12 ? a * (1.0 / l) : V3{0, 0, 1};
}
inline V3 Lerp(const V3& a, const V3& b, double k) { return a + (b - a) * k; }
inline double Lerp(double a, double b, double k) { return a + (b - a) * k; }
inline double Clamp(double v, double lo, double hi) { return v < lo ? lo : (v > hi ? hi : v); }
inline double SmoothStep(double e0, double e1, double v) {
  double k = Clamp((v - e0) / (e1 - e0), 0.0, 1.0);
  return k * k * (3 - 2 * k);
}

constexpr double kPi = 3.14159265358979323846;

}  // namespace fishgen
