#pragma once
#include <string>

namespace platform {

// The directory that holds the settings file and every unpacked asset:
// $XDG_CONFIG_HOME/PelavoScr/ (else ~/.config/PelavoScr/), created when missing, always
// with a trailing slash. When it cannot be found or made, the message "Error Find TempPath."
// (caption "ERROR") is shown and the empty prefix is returned: files then go to the
// current directory.
std::string SettingsDirectory();

// The system's temporary directory exists (the check scene start-up makes before
// unpacking). Shows "Error Find TempPath." / "ERROR" when it does not.
bool TempPathAvailable();

}  // namespace platform
