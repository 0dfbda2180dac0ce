#include "settings/TankMedia.h"

#include "platform/PrivateProfile.h"

namespace settings {

TankMedia::TankMedia() : playlist(platform::GetProfileVolume()) {}

}  // namespace settings
