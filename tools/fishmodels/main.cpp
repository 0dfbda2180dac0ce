// fishmodels: generates the fish model tables under src/fish/models/ and, with --render,
// draws every model into PNG files for a look. --check compares the tables in the output
// directory with what it would write and fails when they differ.
#include <cstdio>
#include <cstring>
#include <string>

#include "LargeFish.h"
#include "Measure.h"
#include "SlowFish.h"
#include "SpeciesFish.h"
#include "Viewer.h"
#include "Writer.h"

namespace fishgen {

// The koi's strips must still hide each other's ends at the largest bend, and the large
// fish's fins must stay on the body at both sizes; false (with a message) when not.
bool ReportMeasures(const LargeFishModel& large, const std::vector<SlowPart>& slow,
                    const SlowJoints& joints) {
  bool ok = true;
  // Every strip turns about its own joint, so a front ring tucked into the strip before stays
  // hidden at any bend the fish can make: checked straight, at a gentle turn and at the
  // largest difference between neighbouring entries.
  std::printf("koi: strip gap %.4f straight, %.4f at 2 degrees a strip, %.4f at the largest "
              "bend (%.2f degrees a strip; %.4f if every strip turned about the middle); "
              "rim step %.4f\n",
              KoiStripGap(slow, joints, 0.0), KoiStripGap(slow, joints, 2.0),
              KoiStripGap(slow, joints, kSlowMaxBendStep), kSlowMaxBendStep,
              KoiStripGapAboutOrigin(slow, kSlowMaxBendStep), KoiRimStep(slow));
  for (double step : {0.0, 2.0, kSlowMaxBendStep / 2, kSlowMaxBendStep}) {
    const double gap = KoiStripGap(slow, joints, step);
    if (gap > kStripGapTolerance) {
      std::fprintf(stderr, "fishmodels: the koi's strips part by %.4f at %.2f degrees a strip\n",
                   gap, step);
      ok = false;
    }
  }
  for (double size : {8.0, 20.0}) {
    const double d = LargeFinRootDistance(large, {size, true});
    std::printf("large fish: size %.0f, largest fin root distance %.4f (%.5f per unit of size)\n",
                size, d, d / size);
    if (d / size > kFinRootTolerance) {
      std::fprintf(stderr, "fishmodels: a large fish's fin hangs %.4f off its body at size %.0f\n",
                   d, size);
      ok = false;
    }
  }
  return ok;
}

}  // namespace fishgen

int main(int argc, char** argv) {
  std::string outDir, renderDir, skinDir;
  bool check = false;
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--check")) {
      fishgen::SetCheckOnly(true);
      check = true;
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
  const auto joints = fishgen::BuildSlowJoints();
  if (!fishgen::EyeSwatchIsReserved(species) || !fishgen::LargeFinSwatchIsReserved(large)) return 1;
  if (!fishgen::ReportMeasures(large, slow, joints) && check) return 1;
  if (!outDir.empty()) {
    bool ok = fishgen::WriteSpeciesFishSource(outDir + "/SpeciesFishModel.cpp", species) &&
              fishgen::WriteLargeFishSource(outDir + "/LargeFishModel.cpp", large) &&
              fishgen::WriteSlowFishSource(outDir + "/SlowFishModel.cpp", slow, joints);
    if (!ok) {
      std::fprintf(stderr, "fishmodels: cannot write (or check) the tables in %s\n", outDir.c_str());
      return 1;
    }
  }
  if (!renderDir.empty() && !fishgen::RenderModels(renderDir, skinDir, species, large, slow, joints)) {
    std::fprintf(stderr, "fishmodels: rendering failed\n");
    return 1;
  }
  return 0;
}
