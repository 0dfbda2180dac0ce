#include "view/FrameReport.h"

#include <cstdio>
#include <cstdlib>

namespace view {

bool WriteFrameReport(long framesDrawn) {
  const char* path = std::getenv(kFrameReportVariable);
  if (!path || !*path) return false;
  std::FILE* f = std::fopen(path, "w");
  if (!f) return false;
  const bool written = std::fprintf(f, "frames %ld\n", framesDrawn) > 0;
  return std::fclose(f) == 0 && written;
}

}  // namespace view
