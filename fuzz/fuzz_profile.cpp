// The private-profile layer on a file made from the input: the input first names a
// section, a key and a value, the rest is the file. Reads never fail hard, a write of a
// plain key is read back as written, and the value limit holds.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "platform/MessageBox.h"
#include "platform/PrivateProfile.h"

namespace {
// Names and values that an INI file carries unchanged: printable, none of the characters
// that start a section, a comment, a key separator, a quote or a multi-line value, and no
// white space at either end.
bool Plain(const std::string& s, bool allowEmpty) {
  if (s.empty()) return allowEmpty;
  for (unsigned char c : s)
    if (c < 0x21 && c != ' ') return false;
    else if (c > 0x7E || c == '[' || c == ']' || c == '=' || c == ';' || c == '#' || c == '"' ||
             c == '<' || c == '\\')
      return false;
  return s.front() != ' ' && s.back() != ' ';
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool quiet = [] {
    platform::SetMessageBoxHandler([](const std::string&, const std::string&, int) {});
    return true;
  }();
  (void)quiet;
  FuzzedDataProvider in(data, size);
  const std::string section = in.ConsumeRandomLengthString(24);
  const std::string key = in.ConsumeRandomLengthString(24);
  const std::string value = in.ConsumeRandomLengthString(200);
  const std::string body = in.ConsumeRemainingBytesAsString();
  const std::string path = fuzz::ScratchDir() + "fuzz.ini";
  fuzz::WriteFile(path, reinterpret_cast<const std::uint8_t*>(body.data()), body.size());

  const std::string before = platform::GetPrivateProfileString(section, key, path);
  FUZZ_CHECK(before.size() <= platform::kProfileValueLimit);
  (void)platform::ParseProfileInt(before);

  if (!platform::WritePrivateProfileString(section, key, value, path)) return 0;
  if (Plain(section, false) && Plain(key, false) && Plain(value, true)) {
    const std::string whole =
        platform::GetPrivateProfileString(section, key, path, platform::kProfileNoLimit);
    FUZZ_CHECK(whole == value);
    const std::string cut = platform::GetPrivateProfileString(section, key, path);
    FUZZ_CHECK(cut == value.substr(0, platform::kProfileValueLimit));
  }
  return 0;
}
