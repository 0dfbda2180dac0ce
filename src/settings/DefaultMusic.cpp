#include "settings/DefaultMusic.h"

#include <algorithm>
#include <string>

#include "assets/Unpack.h"
#include "platform/TunePlayer.h"
#include "settings/SettingsFile.h"
#include "settings/SharedFlags.h"

namespace settings {
namespace {

constexpr int kTuneResourceId = 227;
constexpr const char* kTuneBaseName = "Music";

platform::TunePlayer& Tune() {
  static platform::TunePlayer tune;
  return tune;
}

void PlayDefaultMusic() {
  const std::string dir = SettingsPath();
  if (assets::Unpack(kTuneResourceId, dir, kTuneBaseName))
    Tune().PlayLooping(assets::UnpackedPath(dir, kTuneBaseName), DefaultTuneVolumeWord());
  assets::DeleteUnpacked(dir, kTuneBaseName);
}

}  // namespace

int DefaultTuneVolumeWord() {
  // 64-bit difference: YINLIANG may hold any 32-bit value, the most negative included.
  const long long volume =
      static_cast<long long>(platform::TunePlayer::kMaxVolumeWord) - Settings().yinliang;
  return static_cast<int>(
      std::clamp<long long>(volume, 0, platform::TunePlayer::kMaxVolumeWord));
}

void DefaultMusicTick() {
  if (shared::customMusicOn) {
    Tune().Stop();
    shared::defaultMusicPending = true;
  } else if (shared::defaultMusicPending) {
    PlayDefaultMusic();
    shared::defaultMusicPending = false;
  }
}

bool DefaultTunePlaying() { return Tune().IsPlaying(); }

}  // namespace settings
