#include "FishDialogArt.h"

#include <cmath>

#include "FishShape.h"
#include "FishSkins.h"
#include "Noise.h"
#include "Palette.h"

namespace art {
namespace {

using namespace shape;

// Where the fish sits in its cell (cell-local pixels); the top-left corner stays calm for
// the count label.
constexpr float kFishLeft = 15.0f;
constexpr float kFishLength = 80.0f;
constexpr float kFishCentreY = 50.0f;
constexpr float kFishHeight = 54.0f;  // the skin's full height (fin tip to fin tip)
constexpr int kFishSupersample = 4;

const Rgba kCellTop = rgb(214, 238, 248);
const Rgba kCellBottom = rgb(156, 206, 232);

Rgba cellWater(float y) { return mix(kCellTop, kCellBottom, clamp01(y / kDialogCellHeight)); }

void paintCell(Raster& img, int slot, const Raster& skin) {
  const int left = kDialogCellOrigin + kDialogCellWidth * (slot % 5);
  const int top = kDialogCellOrigin + kDialogCellHeight * (slot / 5);
  const fish::Outline outline = speciesOutline(slot);
  const float tailFactor = slot == 1 ? fish::kLongTailFactor : 1.0f;
  const float modelLength = fish::kTailRoot + (1.0f - fish::kTailRoot) * tailFactor;
  const float pxPerS = kFishLength / modelLength;
  const float fishLeft = kFishLeft - (slot == 1 ? 4.0f : 0.0f);
  const float eyeX = fishLeft + 0.09f * pxPerS, eyeY = kFishCentreY - 0.07f * kFishHeight;

  Raster cell(kDialogCellWidth, kDialogCellHeight);
  cell.paint(
      [&](float x, float y) {
        const float u = (x - fishLeft) / pxPerS;  // position along the drawn fish
        const float s = u <= fish::kTailRoot ? u : fish::kTailRoot + (u - fish::kTailRoot) / tailFactor;
        const float t = 0.5f - (y - kFishCentreY) / kFishHeight;
        if (!fish::inOutline(s, t, outline)) return cellWater(y);
        return skin.sample(s * skin.width(), (1.0f - t) * skin.height());
      },
      kFishSupersample);
  // the eye, which the 3-D fish carries as its own geometry
  cell.fill(circle(eyeX, eyeY, 3.6f), rgb(250, 250, 246));
  cell.fill(circle(eyeX - 0.4f, eyeY, 2.2f), rgb(20, 22, 30));
  cell.fill(circle(eyeX - 1.2f, eyeY - 0.9f, 0.8f), rgb(255, 255, 255));
  // a soft frame so the ten cells read as tiles
  cell.fill(stroke(roundedBox(50, 45, 49, 44, 6), 1.2f), rgb(96, 150, 186, 0.7f));
  img.draw(cell, left, top);
}

// The panel below the cells: the tank's own background scene, scaled down and softened.
void paintPanel(Raster& img, const Raster& scene) {
  constexpr float kPanelTop = kDialogCellsBottom;
  const float panelHeight = kFishDialogHeight - kPanelTop;
  const float scale = scene.height() / panelHeight;
  const float offset = (scene.width() - kFishDialogWidth * scale) * 0.5f;
  for (int y = static_cast<int>(kPanelTop); y < kFishDialogHeight; ++y)
    for (int x = 0; x < kFishDialogWidth; ++x) {
      Rgba c = scene.sample(offset + (x + 0.5f) * scale, (y - kPanelTop + 0.5f) * scale);
      // blend into the cells' water at the top edge
      c = mix(cellWater(kDialogCellHeight), c, smoothstep(0.0f, 26.0f, y - kPanelTop));
      c.a = 1.0f;
      img.at(x, y) = c;
    }
  Sequence seq(5);
  for (int i = 0; i < 14; ++i) {
    const float bx = seq.range(20.0f, kFishDialogWidth - 20.0f);
    const float by = seq.range(kPanelTop + 30.0f, kFishDialogHeight - 150.0f);
    const float r = seq.range(2.0f, 5.5f);
    img.fill(stroke(circle(bx, by, r), 1.1f), rgb(235, 248, 255, 0.75f), boxAround(bx, by, r + 2));
    img.fill(circle(bx - r * 0.35f, by - r * 0.35f, r * 0.3f), rgb(255, 255, 255, 0.8f), boxAround(bx, by, r));
  }
}

}  // namespace

Raster paintFishDialog(const std::vector<Raster>& skins, const Raster& background) {
  Raster img(kFishDialogWidth, kFishDialogHeight, cellWater(0));
  for (int y = 0; y < kDialogCellsBottom; ++y)
    for (int x = 0; x < kFishDialogWidth; ++x) img.at(x, y) = cellWater(std::fmod(y - 2.0f + 90.0f, 90.0f));
  for (int slot = 0; slot < 10; ++slot) paintCell(img, slot, skins[slot]);
  paintPanel(img, background);
  return img;
}

}  // namespace art
