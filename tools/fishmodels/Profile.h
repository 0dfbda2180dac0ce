#pragma once
#include <utility>
#include <vector>

namespace fishgen {

// A smooth curve through control points (position along the body -> value), used for the
// body outlines: heights, widths and centre lines. Interpolates with Catmull-Rom segments
// and holds the end values outside the range.
class Profile {
 public:
  Profile(std::initializer_list<std::pair<double, double>> points);
  double operator()(double u) const;

 private:
  std::vector<std::pair<double, double>> points_;
};

}  // namespace fishgen
