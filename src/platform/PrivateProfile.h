#pragma once
#include <cstddef>
#include <string>

// Private-profile (INI) files with the behaviour of the classic Windows calls:
// sections and keys match without regard to case, a read of an absent key gives the
// empty text, values come back cut to a length limit, and a write changes one key while
// every other section, key and their order stay as they were.
namespace platform {

inline constexpr std::size_t kProfileValueLimit = 127;
inline constexpr std::size_t kProfileNoLimit = static_cast<std::size_t>(-1);

// Reads section/key of the file at path. An absent file, section or key reads as "".
// Of duplicate keys the first one counts. The value is cut to maxChars characters.
std::string GetPrivateProfileString(const std::string& section, const std::string& key,
                                    const std::string& path,
                                    std::size_t maxChars = kProfileValueLimit);

// Writes one key, creating the file and section when needed. The file is replaced as a
// whole (written beside it, then renamed over it), so a failed write never leaves half a
// file behind. Returns false when the file could not be read back or written.
bool WritePrivateProfileString(const std::string& section, const std::string& key,
                               const std::string& value, const std::string& path);

// Integer parse of the C runtime's atoi: leading white space, an optional sign, then
// leading digits; anything else reads as 0. Values past 32 bits saturate.
int ParseProfileInt(const std::string& text);

// The application's profile value Settings/Volume (profile.ini in the settings
// directory), default 1000. The program never writes it.
int GetProfileVolume();

}  // namespace platform
