#include "settings/SettingsFile.h"

#include <algorithm>

#include "platform/CrtRand.h"
#include "platform/SettingsDir.h"
#include "settings/StartupKeys.h"

namespace settings {

namespace {
constexpr int kRandomCountSpan = 10;  // a missing count is rand() % 10 + 1
constexpr int kMinFishPerSlot = 0;

int ClampCount(int count) { return std::clamp(count, kMinFishPerSlot, kMaxFishPerSlot); }

void LoadTankKey(const StartupKey& key, const std::string& file, SettingsRecord& record) {
  const std::string text = platform::GetPrivateProfileString(kTankSection, key.name, file);
  bool missing = text.empty();
  int value = missing ? 0 : platform::ParseProfileInt(text);
  if (!missing && key.hasRange && (value < key.rangeLow || value > key.rangeHigh))
    missing = true;
  if (missing) {
    value = key.missingValue;
    platform::WritePrivateProfileString(kTankSection, key.name, key.missingText, file);
  }
  if (key.hasOverride) {
    value = key.overrideValue;
    platform::WritePrivateProfileString(kTankSection, key.name, std::to_string(value), file);
  }
  if (key.intField)
    record.*key.intField = value;
  else
    record.*key.floatField = static_cast<float>(value);
}

int LoadFishCount(int slot, const std::string& file) {
  const std::string name = FishKey(slot);
  const std::string text = platform::GetPrivateProfileString(kFishSection, name, file);
  if (!text.empty()) return platform::ParseProfileInt(text);
  const int count = crt::rand() % kRandomCountSpan + 1;
  platform::WritePrivateProfileString(kFishSection, name, std::to_string(count), file);
  return count;
}
}  // namespace

std::string SettingsPath() { return platform::SettingsDirectory(); }

std::string SettingsFilePath() { return SettingsPath() + kSettingsFileName; }

void StartupLoad() {
  // One look-up of the directory for the whole load, so a missing directory is reported once.
  const std::string file = SettingsFilePath();
  SettingsRecord& record = Settings();
  for (const StartupKey& key : StartupKeys()) LoadTankKey(key, file, record);
  for (int slot = 0; slot < kSpeciesCount; ++slot)
    record.fishCount[slot] = ClampCount(LoadFishCount(slot, file));
}

void ReplaceFishCounts(const int counts[kSpeciesCount]) {
  SettingsRecord& record = Settings();
  for (int slot = 0; slot < kSpeciesCount; ++slot) record.fishCount[slot] = ClampCount(counts[slot]);
}

std::string ReadSetting(const std::string& section, const std::string& key, std::size_t maxChars) {
  return platform::GetPrivateProfileString(section, key, SettingsFilePath(), maxChars);
}

bool WriteSetting(const std::string& section, const std::string& key, const std::string& value) {
  return platform::WritePrivateProfileString(section, key, value, SettingsFilePath());
}

}  // namespace settings
