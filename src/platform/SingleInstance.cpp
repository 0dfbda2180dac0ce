#include "platform/SingleInstance.h"

#include <wx/log.h>
#include <wx/snglinst.h>

namespace platform {

SingleInstance::SingleInstance(std::string lockDirectory) : dir_(std::move(lockDirectory)) {}

SingleInstance::~SingleInstance() = default;

SingleInstance::Result SingleInstance::Acquire() {
  // The checker logs when a stale lock file is found or cannot be made; no dialog may
  // appear for that.
  wxLogNull quiet;
  const wxString dir = wxString::FromUTF8(dir_.c_str());

  first_ = std::make_unique<wxSingleInstanceChecker>();
  if (first_->Create(kFirstInstanceName, dir) && first_->IsAnotherRunning()) {
    first_.reset();
    return Result::kAnotherCopyRuns;
  }
  app_ = std::make_unique<wxSingleInstanceChecker>();
  if (app_->Create(kAppInstanceName, dir) && app_->IsAnotherRunning()) {
    app_.reset();
    return Result::kAppMarkerTaken;
  }
  return Result::kFirst;
}

}  // namespace platform
