// The settings start-up load on a settings file made from the input. Whatever the file
// holds, the record ends with counts in 0..100 and ranged values in range, the file is
// left loadable, and a second load reads back the same record (so everything the first
// load wrote back was written as it was meant).
#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "FuzzSupport.h"
#include "platform/MessageBox.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsRecord.h"

namespace {
bool SameRecord(const settings::SettingsRecord& a, const settings::SettingsRecord& b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string file = [] {
    setenv("XDG_CONFIG_HOME", fuzz::ScratchDir().c_str(), 1);
    platform::SetMessageBoxHandler([](const std::string&, const std::string&, int) {
      std::fprintf(stderr, "unexpected message box\n");
      std::abort();
    });
    return settings::SettingsFilePath();
  }();
  fuzz::WriteFile(file, data, size);

  settings::Settings() = {};
  settings::StartupLoad();
  const settings::SettingsRecord first = settings::Settings();
  for (int n : first.fishCount) FUZZ_CHECK(n >= 0 && n <= settings::kMaxFishPerSlot);
  FUZZ_CHECK(first.fognongdu >= 0 && first.fognongdu <= 25);
  FUZZ_CHECK(first.lightqiangdu >= 0 && first.lightqiangdu <= 100);
  FUZZ_CHECK(first.showWater == 0 && first.showLight == 0 && first.showTerra == 1);

  settings::Settings() = {};
  settings::StartupLoad();
  FUZZ_CHECK(SameRecord(first, settings::Settings()));
  return 0;
}
