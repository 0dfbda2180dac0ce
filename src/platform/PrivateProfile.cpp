#include "platform/PrivateProfile.h"

#define SI_IMPLEMENTATION
#include <SimpleIni.h>

#include <cctype>
#include <climits>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <unistd.h>

#include "platform/SettingsDir.h"

namespace platform {
namespace fs = std::filesystem;

namespace {
constexpr const char* kProfileFileName = "profile.ini";
constexpr const char* kVolumeSection = "Settings";
constexpr const char* kVolumeKey = "Volume";
constexpr int kDefaultVolume = 1000;

// Multi-key mode keeps every duplicate in file order, so the first one can be returned.
struct Ini {
  CSimpleIniA ini{false, true, false};
  Ini() {
    ini.SetSpaces(false);
    ini.SetQuotes(true);
  }
};

enum class LoadResult { Loaded, Missing, Unreadable };

LoadResult load(Ini& f, const std::string& path) {
  std::error_code ec;
  const auto status = fs::status(path, ec);
  if (ec || status.type() == fs::file_type::not_found) return LoadResult::Missing;
  if (status.type() != fs::file_type::regular) return LoadResult::Unreadable;
  return f.ini.LoadFile(path.c_str()) < 0 ? LoadResult::Unreadable : LoadResult::Loaded;
}
}  // namespace

std::string GetPrivateProfileString(const std::string& section, const std::string& key,
                                    const std::string& path, std::size_t maxChars) {
  Ini f;
  if (load(f, path) != LoadResult::Loaded) return {};
  const char* v = f.ini.GetValue(section.c_str(), key.c_str(), nullptr);
  if (!v) return {};
  std::string value(v);
  if (value.size() > maxChars) value.resize(maxChars);
  return value;
}

bool WritePrivateProfileString(const std::string& section, const std::string& key,
                               const std::string& value, const std::string& path) {
  Ini f;
  if (load(f, path) == LoadResult::Unreadable) return false;
  f.ini.SetValue(section.c_str(), key.c_str(), value.c_str(), nullptr, true);

  std::string text;
  if (f.ini.Save(text) < 0) return false;
  const std::string tmp = path + ".tmp" + std::to_string(::getpid());
  std::FILE* out = std::fopen(tmp.c_str(), "wb");
  if (!out) return false;
  const bool written = std::fwrite(text.data(), 1, text.size(), out) == text.size();
  const bool closed = std::fclose(out) == 0;
  std::error_code ec;
  if (!written || !closed) {
    fs::remove(tmp, ec);
    return false;
  }
  fs::rename(tmp, path, ec);
  if (ec) {
    fs::remove(tmp, ec);
    return false;
  }
  return true;
}

int ParseProfileInt(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  long long value = 0;
  for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
  }
  if (negative) value = -value;
  if (value > INT_MAX) value = INT_MAX;
  if (value < INT_MIN) value = INT_MIN;
  return static_cast<int>(value);
}

int GetProfileVolume() {
  const std::string text =
      GetPrivateProfileString(kVolumeSection, kVolumeKey, SettingsDirectory() + kProfileFileName);
  return text.empty() ? kDefaultVolume : ParseProfileInt(text);
}

}  // namespace platform
