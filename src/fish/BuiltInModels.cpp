// The entry points that use the program's own fish models.
#include "fish/FishDraw.h"
#include "fish/LargeFish.h"
#include "fish/Population.h"
#include "fish/SlowFishParts.h"
#include "fish/models/LargeFishModel.h"
#include "fish/models/SlowFishModel.h"
#include "fish/models/SpeciesFishModel.h"

namespace fish {

void SpeciesFishDraw(SpeciesFish& fish, int species) {
  SpeciesFishDraw(fish, species, models::kSpeciesFishParts);
}

void LargeFishDraw(LargeFish& fish, GLuint texture) {
  LargeFishDraw(fish, texture, models::kLargeFishFins);
}

void SlowFishDraw(SlowFish& fish) {
  SlowFishDrawParts(fish, models::kSlowFishParts, SlowFishSharedWaves());
}

void LargeFish::setBounds(float xMinArg, float xMaxArg, float yTopArg, float yBottomArg,
                          float zMinArg, float zMaxArg) {
  setBounds(xMinArg, xMaxArg, yTopArg, yBottomArg, zMinArg, zMaxArg, models::kLargeFishBody);
}

void PlaceFish(SpeciesFish (&pool)[kPoolSize], LargeFish (&large)[kLargeFishCount],
               SlowFish (&slow)[kSlowFishCount], const tank::TankBox& box) {
  PlaceFish(pool, large, slow, box, models::kLargeFishBody);
}

}  // namespace fish
