#include "platform/SingleInstance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace platform {
namespace {

constexpr const char* kLockSuffix = ".lock";

enum class Lock { kTaken, kHeldElsewhere, kUnavailable };

std::string Join(const std::string& dir, const char* name) {
  if (dir.empty()) return std::string(name) + kLockSuffix;
  const char* sep = dir.back() == '/' ? "" : "/";
  return dir + sep + name + kLockSuffix;
}

// Opens (creating when missing) the marker file and locks it without waiting. The
// descriptor stays open, and the lock held, until the process ends.
Lock TakeLock(const std::string& path, int& fd) {
  fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) return Lock::kUnavailable;
  int rc;
  do {
    rc = ::flock(fd, LOCK_EX | LOCK_NB);
  } while (rc != 0 && errno == EINTR);
  if (rc == 0) return Lock::kTaken;
  const bool held = errno == EWOULDBLOCK;
  ::close(fd);
  fd = -1;
  return held ? Lock::kHeldElsewhere : Lock::kUnavailable;
}

}  // namespace

SingleInstance::SingleInstance(std::string lockDirectory) : dir_(std::move(lockDirectory)) {}

SingleInstance::~SingleInstance() {
  if (app_ >= 0) ::close(app_);
  if (first_ >= 0) ::close(first_);
}

std::string SingleInstance::LockDirectory(const std::string& fallback) {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  struct stat st {};
  if (runtime && *runtime == '/' && ::stat(runtime, &st) == 0 && S_ISDIR(st.st_mode) &&
      ::access(runtime, W_OK | X_OK) == 0)
    return runtime;
  return fallback;
}

SingleInstance::Result SingleInstance::Acquire() {
  if (TakeLock(Join(dir_, kFirstInstanceName), first_) == Lock::kHeldElsewhere)
    return Result::kAnotherCopyRuns;
  if (TakeLock(Join(dir_, kAppInstanceName), app_) == Lock::kHeldElsewhere)
    return Result::kAppMarkerTaken;
  return Result::kFirst;
}

}  // namespace platform
