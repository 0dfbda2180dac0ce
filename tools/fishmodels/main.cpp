// fishmodels: generates the fish model tables under src/fish/models/ and, with --render,
// draws every model into PNG files for a look. --check compares the tables in the output
// directory with what it would write and fails when they differ.
#include <cstdio>
#include <cstring>
#include <string>

#include "LargeFish.h"
#include "SlowFish.h"
#include "SpeciesFish.h"
#include "Viewer.h"
#include "Writer.h"

int main(int argc, char** argv) {
  std::string outDir, renderDir, skinDir;
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--check")) {
      fishgen::SetCheckOnly(true);
    } else if (!std::strcmp(argv[i], "--render") && i + 1 < argc) {
      renderDir = argv[++i];
    } else if (!std::strcmp(argv[i], "--skins") && i + 1 < argc) {
      skinDir = argv[++i];
    } else if (argv[i][0] != '-') {
      outDir = argv[i];
    } else {
      std::fprintf(stderr, "usage: fishmodels [--check] [OUTPUT_DIR] [--render PNG_DIR [--skins BMP_DIR]]\n");
      return 2;
    }
  }
  if (outDir.empty() && renderDir.empty()) {
    std::fprintf(stderr, "usage: fishmodels [--check] [OUTPUT_DIR] [--render PNG_DIR [--skins BMP_DIR]]\n");
    return 2;
  }
  const auto species = fishgen::BuildSpeciesFish();
  const auto large = fishgen::BuildLargeFish();
  const auto slow = fishgen::BuildSlowFish();
  if (!fishgen::EyeSwatchIsReserved(species)) return 1;
  if (!outDir.empty()) {
    bool ok = fishgen::WriteSpeciesFishSource(outDir + "/SpeciesFishModel.cpp", species) &&
              fishgen::WriteLargeFishSource(outDir + "/LargeFishModel.cpp", large) &&
              fishgen::WriteSlowFishSource(outDir + "/SlowFishModel.cpp", slow);
    if (!ok) {
      std::fprintf(stderr, "fishmodels: cannot write (or check) the tables in %s\n", outDir.c_str());
      return 1;
    }
  }
  if (!renderDir.empty() && !fishgen::RenderModels(renderDir, skinDir, species, large, slow)) {
    std::fprintf(stderr, "fishmodels: rendering failed\n");
    return 1;
  }
  return 0;
}
