#include "ArtSet.h"

#include <fstream>
#include <iostream>
#include <sstream>

#include "BackgroundArt.h"
#include "BubbleArt.h"
#include "Check.h"
#include "CursorArt.h"
#include "FishDialogArt.h"
#include "FishSkins.h"
#include "ImageFiles.h"
#include "MenuIcons.h"
#include "ProgramIcon.h"
#include "Tune.h"
#include "WavWriter.h"

namespace art {
namespace {

const std::string kFilesPrefix = "files/";
constexpr int kProgramIconId = 128;
constexpr int kProgramIconManifestSize = 64;
constexpr int kProgramIconSizes[] = {16, 32, 48, 64, 128, 256};

bool hasPureBlack(const Raster& image) {
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const Rgba& c = image.at(x, y);
      if (toByte(c.r) == 0 && toByte(c.g) == 0 && toByte(c.b) == 0) return true;
    }
  return false;
}

}  // namespace

void ArtSet::bmp(const std::string& name, const Raster& image, const std::string& type, int id) {
  writeBmp24((outDir_ / name).string(), image);
  ++written_;
  expect({type, id, kFilesPrefix + name});
}

void ArtSet::png(const std::string& name, const Raster& image, const std::string& type, int id,
                 int hotX, int hotY) {
  writePng((outDir_ / name).string(), image);
  ++written_;
  if (id > 0) expect({type, id, kFilesPrefix + name, hotX, hotY});
}

void ArtSet::writeAll() {
  // Fish skins: power-of-two side views without pure black (black would read as a hole
  // wherever a loader keys it out).
  std::vector<Raster> skins;
  for (int slot = 0; slot < kSkinCount; ++slot) {
    skins.push_back(paintFishSkin(slot));
    const Raster& skin = skins.back();
    require(isPowerOfTwo(skin.width()) && isPowerOfTwo(skin.height()), "skin size power of two");
    require(!hasPureBlack(skin), "skin " + std::to_string(slot) + " holds pure black");
    if (slot < kSpeciesSkinCount) {
      // the model's eye centre lands on the dark pupil
      const Rgba pupil = skin.sample(kEyeCentreS * skin.width(), (1.0f - kEyeCentreT) * skin.height());
      require(pupil.r + pupil.g + pupil.b < 0.3f, "skin " + std::to_string(slot) + " eye swatch");
    }
    if (slot == kSpeciesSkinCount) {
      // the large fish's eye discs land on a dark pupil, its fins on the ray swatch
      const Rgba pupil = skin.sample(kLargeEyeS * skin.width(), (1.0f - kLargeEyeT) * skin.height());
      require(pupil.r + pupil.g + pupil.b < 0.3f, "large fish skin eye");
    }
    bmp("fish" + std::to_string(slot) + ".bmp", skin, "RCAD", 10000 + slot);
  }

  const Raster background = paintBackground();
  require(background.width() == kBackgroundWidth && background.height() == kBackgroundHeight,
          "background size");
  require(!hasPureBlack(background), "background holds see-through black");
  bmp("BackGround0.bmp", background, "RCAD", 154);

  const int bubbleIds[kBubbleVariants] = {166, 155, 261};
  for (int v = 0; v < kBubbleVariants; ++v) {
    const Raster bubble = paintBubble(v);
    require(bubble.width() == kBubbleSize && bubble.height() == kBubbleSize, "bubble size");
    bmp("Particle" + std::to_string(v + 1) + ".bmp", bubble, "RCAD", bubbleIds[v]);
  }

  for (const MenuIconSpec& item : menuIconSpecs()) {
    const Raster icon = paintMenuIcon(item.kind);
    require(icon.width() == kMenuIconSize && icon.height() == kMenuIconSize, "menu icon size");
    png(item.file, icon, "ICON", item.id);
  }
  png("LampOn.png", paintLamp(true), "ICON", kLampOnId);
  png("LampOff.png", paintLamp(false), "ICON", kLampOffId);

  for (const CursorSpec& item : cursorSpecs()) {
    const Raster cursor = paintCursor(item.kind);
    require(cursor.width() == kCursorSize && cursor.height() == kCursorSize, "cursor size");
    require(item.hotX >= 0 && item.hotY >= 0 && item.hotX < kCursorSize && item.hotY < kCursorSize &&
                cursor.at(item.hotX, item.hotY).a > 0.5f,
            item.file + ": hot spot lies off the drawing");
    png(item.file, cursor, "CURSOR", item.id, item.hotX, item.hotY);
  }

  for (int size : kProgramIconSizes) {
    const Raster icon = paintProgramIcon(size);
    require(icon.width() == size && icon.height() == size, "program icon size");
    png("icons/pelavo-" + std::to_string(size) + ".png", icon, "ICON",
        size == kProgramIconManifestSize ? kProgramIconId : 0);
  }

  const Raster dialog = paintFishDialog(skins, background);
  require(dialog.width() == kFishDialogWidth && dialog.height() == kFishDialogHeight,
          "fish dialog picture size");
  png("FishDialog.png", dialog, "BITMAP", 129);

  const Tune tune = synthesizeTune();
  const TuneReport report = checkTune(tune);
  writeWav16Mono((outDir_ / "Music.wav").string(), tune.samples, tune.sampleRate);
  ++written_;
  expect({"RCAD", 227, kFilesPrefix + "Music.wav"});
  std::cout << "artgen: tune " << report.seconds << " s, peak " << report.peakDb
            << " dBFS, largest seam step " << report.seamStep << " (largest inner step "
            << report.largestStep << ")\n";

  checkManifest();
}

// The manifest beside the files must list every file with its id (and a cursor's hot spot).
void ArtSet::checkManifest() const {
  const auto manifestPath = outDir_.parent_path() / "manifest.txt";
  std::ifstream in(manifestPath);
  require(static_cast<bool>(in), "cannot read " + manifestPath.string());
  std::vector<ManifestEntry> listed;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] < 'A' || line[0] > 'Z') continue;
    std::istringstream fields(line);
    ManifestEntry e;
    fields >> e.type >> e.id >> e.file >> e.hotX >> e.hotY;
    listed.push_back(e);
  }
  for (const ManifestEntry& e : expected_) {
    bool found = false;
    for (const ManifestEntry& m : listed)
      if (m.type == e.type && m.id == e.id && m.file == e.file && m.hotX == e.hotX &&
          m.hotY == e.hotY)
        found = true;
    require(found, "manifest lacks the line: " + e.type + " " + std::to_string(e.id) + " " +
                       e.file + (e.type == "CURSOR" ? " " + std::to_string(e.hotX) + " " +
                                                          std::to_string(e.hotY)
                                                    : ""));
  }
}

}  // namespace art
