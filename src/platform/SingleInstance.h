#pragma once
#include <memory>
#include <string>

class wxSingleInstanceChecker;

// The two system-wide markers of a running copy. The first marker decides whether this
// process may run at all; the second, named after the application, makes start-up fail
// when another copy holds it. Both live until the object is destroyed (the end of the
// process); their lock files sit in the given directory.
namespace platform {

inline constexpr const char* kFirstInstanceName = "FirstMyProject_Vorl";
inline constexpr const char* kAppInstanceName = "PelavoScr";

class SingleInstance {
 public:
  enum class Result { kFirst, kAnotherCopyRuns, kAppMarkerTaken };

  explicit SingleInstance(std::string lockDirectory);
  ~SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  // Takes both markers in order. kAnotherCopyRuns: the first marker is held elsewhere
  // (nothing else was taken); kAppMarkerTaken: the first was taken, the second is held.
  Result Acquire();

 private:
  std::string dir_;
  std::unique_ptr<wxSingleInstanceChecker> first_;
  std::unique_ptr<wxSingleInstanceChecker> app_;
};

}  // namespace platform
