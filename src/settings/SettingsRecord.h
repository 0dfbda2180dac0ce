#pragma once

// The process-wide settings record: every value of the `Zudadudu Settings` section in the
// settings file's order, then the ten species counts. Filled by the start-up load
// (SettingsFile.h) and read by the frame.
namespace settings {

inline constexpr int kSpeciesCount = 10;
inline constexpr int kMaxFishPerSlot = 100;

struct SettingsRecord {
  int showWater = 0;
  int showLight = 0;
  int showTerra = 0;
  int frontGuding = 0;
  int frontColor = 0;
  int frontManjianbian = 0;
  int frontColor1 = 0;
  int frontColor2 = 0;
  int frontAutojianbian = 0;
  int checkLockfore = 0;
  float lockforeRot = 0.0f;
  int backGuding = 0;
  int backColor = 0;
  int backManjianbian = 0;
  int backColor1 = 0;
  int backColor2 = 0;
  int backAutojianbian = 0;
  int checkLockback = 0;
  float lockbackRot = 0.0f;
  int yinliang = 0;      // built-in tune attenuation: volume = 65535 - yinliang
  int qipaonum = 0;      // bubbles: each emitter shows 110 - qipaonum
  int background = 0;    // 0 draws the waving background surface
  int fognongdu = 0;
  int lightqiangdu = 0;  // light dimming 0..100
  int checkViews = 0;
  int viewsLeftRight = 0;
  int viewsNearFar = 0;
  int fishCount[kSpeciesCount] = {};
};

// The one record of the process.
SettingsRecord& Settings();

}  // namespace settings
