#include "app/AquariumApp.h"

#include <csignal>
#include <cstdlib>

#include <wx/image.h>

#include "app/MainFrame.h"
#include "platform/SettingsDir.h"
#include "platform/SingleInstance.h"
#include "platform/WxMessageBox.h"

namespace {

constexpr const char* kAppName = "PelavoScr";

// A request to end (SIGTERM, SIGINT, SIGHUP) closes the frame like the window system would,
// so the view's teardown runs. wx calls this from its event loop, not from the signal.
void CloseOnSignal(int) {
  if (wxTheApp && wxTheApp->GetTopWindow())
    wxTheApp->GetTopWindow()->Close(true);
  else if (wxTheApp)
    wxTheApp->ExitMainLoop();
}

}  // namespace

AquariumApp::AquariumApp() = default;
AquariumApp::~AquariumApp() = default;

bool AquariumApp::OnInit() {
  SetAppName(kAppName);
  SetAppDisplayName(kAppName);
  platform::InstallWxMessageBox();

  instance_ = std::make_unique<platform::SingleInstance>(platform::SettingsDirectory());
  switch (instance_->Acquire()) {
    case platform::SingleInstance::Result::kAnotherCopyRuns:
      std::_Exit(0);  // another copy runs: leave at once, show nothing
    case platform::SingleInstance::Result::kAppMarkerTaken:
      return false;
    case platform::SingleInstance::Result::kFirst:
      break;
  }

  // The sound library must leave the end signals to us.
  setenv("SDL_NO_SIGNAL_HANDLERS", "1", 0);
  for (int sig : {SIGTERM, SIGINT, SIGHUP}) SetSignalHandler(sig, CloseOnSignal);

  wxInitAllImageHandlers();
  auto* frame = new CMainFrame();
  SetTopWindow(frame);
  frame->ShowCoveringScreen();
  return true;
}
