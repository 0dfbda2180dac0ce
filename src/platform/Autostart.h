#pragma once
#include <string>

// Starting the desktop background with the session: an XDG autostart entry,
// $XDG_CONFIG_HOME/autostart/pelavo-desktop.desktop (else ~/.config/autostart/), which every
// desktop that follows the XDG autostart rules runs at log-in. Writing it turns the start on,
// removing it turns it off; nothing else marks the choice.
namespace platform {

inline constexpr const char* kAutostartFileName = "pelavo-desktop.desktop";

// The entry's path; empty when neither XDG_CONFIG_HOME nor HOME names a directory.
std::string AutostartFile();

// The entry exists.
bool AutostartOn();

// Writes the entry, which starts `program --desktop` (program: an absolute path or a name on
// PATH), or removes it. False when that failed (the file is then as it was).
bool SetAutostart(bool on, const std::string& program);

// The entry's text for `program`.
std::string AutostartEntry(const std::string& program);

// The running program's own path (for the entry), else "pelavo".
std::string OwnProgramPath();

}  // namespace platform
