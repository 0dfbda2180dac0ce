#pragma once
#include <string>

// Section and key names of the settings file that more than one part of the program uses.
namespace settings {

inline constexpr const char* kSettingsFileName = "PelavoSet.ini";

inline constexpr const char* kTankSection = "Zudadudu Settings";
inline constexpr const char* kFishSection = "Fish Number";
inline constexpr const char* kImageSection = "Custom Images";
inline constexpr const char* kMusicSection = "Custom Settings";

// `Custom Images`
inline constexpr const char* kRandomImageKey = "RandomImage";
inline constexpr const char* kCycImageKey = "CycImage";
inline constexpr const char* kRepeatImageKey = "RepeatImage";
inline constexpr const char* kOwnImageKey = "OwnImage";
inline constexpr const char* kImageTimeKey = "ImageTime";
inline constexpr const char* kImageSumKey = "ImageSum";
inline constexpr const char* kImageListPrefix = "ImageList";

// `Custom Settings`
inline constexpr const char* kRandomMusicKey = "RandomMusic";
inline constexpr const char* kCycMusicKey = "CycMusic";
inline constexpr const char* kRepeatMusicKey = "RepeatMusic";
inline constexpr const char* kOwnMusicKey = "OwnMusic";
inline constexpr const char* kMusicSumKey = "MusicSum";
inline constexpr const char* kMusicListPrefix = "MusicList";

// "Fish0" .. "Fish9"
inline std::string FishKey(int slot) { return "Fish" + std::to_string(slot); }
// "ImageList0", "MusicList3", ...
inline std::string ListKey(const char* prefix, int index) {
  return prefix + std::to_string(index);
}

}  // namespace settings
