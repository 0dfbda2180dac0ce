#pragma once

namespace platform {

// The resident memory of this process in kB (from /proc/self/statm); -1 when unreadable.
long ResidentKb();

}  // namespace platform
