#pragma once
#include <string>

namespace platform {

// The directory that holds the settings file and every unpacked asset:
// $XDG_CONFIG_HOME/PelavoScr/ (else ~/.config/PelavoScr/), created when missing, always
// with a trailing slash. When it cannot be found or made, the message "Error Find TempPath."
// (caption "ERROR") is shown and the empty prefix is returned: files then go to the
// current directory. The directory is looked up once per process (and the message shown at
// most once); later calls return the same answer.
std::string SettingsDirectory();

// Tests only: the next SettingsDirectory() looks the directory up again (after the test
// changed XDG_CONFIG_HOME).
void ForgetSettingsDirectory();

// The system's temporary directory exists (the check scene start-up makes before
// unpacking). Shows "Error Find TempPath." / "ERROR" when it does not.
bool TempPathAvailable();

}  // namespace platform
