#pragma once
#include <cstddef>
#include <string>

#include "platform/PrivateProfile.h"
#include "settings/SettingsKeys.h"
#include "settings/SettingsRecord.h"

// The settings file: where it lives, the start-up load into the settings record, and the
// plain reads and writes the dialogs make on it.
namespace settings {

// The directory of the settings file and of every unpacked asset, ending with '/'. Empty
// (after the message "Error Find TempPath.") when no directory can be found or made.
std::string SettingsPath();
// SettingsPath() + "PelavoSet.ini".
std::string SettingsFilePath();

// Fills Settings() from the `Zudadudu Settings` and `Fish Number` sections, taking the
// default of every missing (empty) value and writing it back, forcing the keys that are
// fixed at every start, and replacing out-of-range values. A missing fish count is a
// random count from 1 to 10 (one draw per missing slot, in slot order), written back.
// Counts are clamped to 0..100 in the record; the file keeps its text.
void StartupLoad();

// Copies the ten counts into the record, each clamped to 0..100.
void ReplaceFishCounts(const int counts[kSpeciesCount]);

// Reads one value of the settings file; "" when the file, section or key is absent.
// Values are cut to maxChars characters. Full paths in the `ImageList…` and `MusicList…`
// keys are longer than the default limit allows: read them with kWholeValue.
inline constexpr std::size_t kWholeValue = platform::kProfileNoLimit;
std::string ReadSetting(const std::string& section, const std::string& key,
                        std::size_t maxChars = platform::kProfileValueLimit);

// Writes one value, keeping every other key; the file is replaced as a whole, so a failed
// write leaves the previous file intact. Returns false when the file could not be written.
bool WriteSetting(const std::string& section, const std::string& key, const std::string& value);

}  // namespace settings
