#pragma once
#include <string>

// The two system-wide markers of a running copy. The first marker decides whether this
// process may run at all; the second, named after the application, makes start-up fail
// when another copy holds it. Each marker is an exclusive lock (flock) on a file of its name
// in the runtime directory ($XDG_RUNTIME_DIR, else the settings directory). The kernel drops
// such a lock however the process ends (Esc, Exit, a crash, kill -9), so a file left behind,
// or one an earlier version wrote with a process id in it, never blocks a later start.
namespace platform {

inline constexpr const char* kFirstInstanceName = "FirstMyProject_Vorl";
inline constexpr const char* kAppInstanceName = "PelavoScr";

class SingleInstance {
 public:
  enum class Result { kFirst, kAnotherCopyRuns, kAppMarkerTaken };

  // lockDirectory: where the lock files live (with or without a trailing slash).
  explicit SingleInstance(std::string lockDirectory);
  ~SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  // Takes both markers in order. kAnotherCopyRuns: the first marker is held elsewhere
  // (nothing else was taken); kAppMarkerTaken: the first was taken, the second is held.
  // A marker whose file cannot be made at all does not stop the program.
  Result Acquire();

  // The directory the markers go in: $XDG_RUNTIME_DIR when it is a usable directory,
  // otherwise the given fallback (the settings directory).
  static std::string LockDirectory(const std::string& fallback);

 private:
  std::string dir_;
  int first_ = -1;  // descriptors holding the locks until the process ends
  int app_ = -1;
};

}  // namespace platform
