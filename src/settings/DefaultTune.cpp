#include "settings/DefaultTune.h"

#include <algorithm>
#include <string>

#include "assets/Unpack.h"
#include "settings/SettingsFile.h"
#include "resource_ids.h"

namespace settings {
namespace {

constexpr int kTuneResourceId = res::id::kMusic;
constexpr const char* kTuneBaseName = "Music";

}  // namespace

int DefaultTuneVolumeWord() {
  // 64-bit difference: YINLIANG may hold any 32-bit value, the most negative included.
  const long long volume =
      static_cast<long long>(platform::TunePlayer::kMaxVolumeWord) - Settings().yinliang;
  return static_cast<int>(
      std::clamp<long long>(volume, 0, platform::TunePlayer::kMaxVolumeWord));
}

void DefaultTune::Play() {
  const std::string dir = SettingsPath();
  if (assets::Unpack(kTuneResourceId, dir, kTuneBaseName))
    tune_.PlayLooping(assets::UnpackedPath(dir, kTuneBaseName), DefaultTuneVolumeWord());
  assets::DeleteUnpacked(dir, kTuneBaseName);
}

void DefaultTune::Tick(bool customMusicOn) {
  if (customMusicOn) {
    tune_.Stop();
    pending_ = true;
  } else if (pending_) {
    Play();
    pending_ = false;
  }
}

}  // namespace settings
