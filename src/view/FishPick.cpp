#include "view/FishPick.h"

#include <GL/gl.h>

#include "fish/FishDraw.h"
#include "settings/SettingsRecord.h"
#include "ui/CommandId.h"
#include "view/Scene.h"
#include "view/SelectionPass.h"

namespace view {
namespace {

// The species whose range holds pool index i, -1 when none does.
int SpeciesOf(const fish::SpeciesRanges& ranges, int i) {
  for (int j = 0; j < fish::kSpeciesKinds; ++j)
    if (ranges.Contains(j, i)) return j;
  return -1;
}

}  // namespace

int PickFish(fish::SpeciesFish (&pool)[fish::kPoolSize], const fish::SpeciesRanges& ranges,
             int revealCount, int mouseX, int mouseY) {
  for (int i = 0; i < ranges.shown && i <= revealCount; ++i) {
    const int species = SpeciesOf(ranges, i);
    if (species < 0) continue;
    fish::SpeciesFish& f = pool[i];
    // The pick draws each fish it tries through a step of that fish's own, so every fish
    // the pick tries before a hit swims one step further in this step: the selection pass
    // must see the fish where it is now, and the tank has always moved them so.
    if (HitUnderMouse(mouseX, mouseY, kFishPickRegion, [&] {
          glTranslatef(f.x, f.y, f.z);
          fish::StepAndDraw(f, species);
        }))
      return i;
  }
  return -1;
}

void ApplyPick(fish::SpeciesFish& fish, int mode) {
  switch (mode) {
    case kCmdTouch:
      fish.touch();
      break;
    case kCmdZoomIn:
      fish.zoomIn();
      break;
    case kCmdZoomOut:
      fish.zoomOut();
      break;
    default:
      break;
  }
}

void Scene::RunFishPick() {
  if (!buttonDown_) return;
  buttonDown_ = false;
  const fish::SpeciesRanges ranges = fish::ComputeSpeciesRanges(settings::Settings().fishCount);
  lastPickedFish_ = PickFish(pool_, ranges, revealCount_, mouseX_, mouseY_);
  if (lastPickedFish_ >= 0) ApplyPick(pool_[lastPickedFish_], mode_);
}

}  // namespace view
