#include "app/AquariumApp.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>

#include <wx/dialog.h>
#include <wx/evtloop.h>
#include <wx/image.h>

#include "app/DesktopWindow.h"
#include "app/MainFrame.h"
#include "view/AquariumView.h"
#include "platform/SettingsDir.h"
#include "platform/SingleInstance.h"
#include "platform/WxMessageBox.h"

namespace {

constexpr const char* kAppName = "PelavoScr";

app::LaunchOptions g_options;
constexpr int kNoDesktopCode = 1;

// The nested loop this process already asked to end, so it is never asked twice.
wxEventLoopBase* g_loopLeaving = nullptr;

// A request to end (SIGTERM, SIGINT, SIGHUP) closes the frame like the window system would,
// so the view's teardown runs. wx calls this from its event loop, not from the signal. While
// a nested loop runs (a modal dialog, the popup menu, a file chooser) the windows on its call
// stack must not be destroyed under it: that loop is ended first and the close comes after.
void CloseWhenBackInMainLoop() {
  if (!wxTheApp) return;
  wxEventLoopBase* active = wxEventLoopBase::GetActive();
  if (active && active != wxTheApp->GetMainLoop()) {
    if (active != g_loopLeaving) {
      g_loopLeaving = active;
      bool endedDialog = false;
      if (wxDialog* dialog = CMainFrame::OpenModalDialog()) {
        dialog->EndModal(wxID_CANCEL);
        endedDialog = true;
      }
      if (!endedDialog) active->Exit(0);
    }
    wxTheApp->CallAfter([] { CloseWhenBackInMainLoop(); });
    return;
  }
  g_loopLeaving = nullptr;
  if (wxTheApp->GetTopWindow())
    wxTheApp->GetTopWindow()->Close(true);
  else
    wxTheApp->ExitMainLoop();
}

void CloseOnSignal(int) { CloseWhenBackInMainLoop(); }

}  // namespace

void AquariumApp::UseOptions(const app::LaunchOptions& options) { g_options = options; }

AquariumApp::AquariumApp() = default;
AquariumApp::~AquariumApp() = default;

bool AquariumApp::OnInit() {
  SetAppName(kAppName);
  SetAppDisplayName(kAppName);
  platform::InstallWxMessageBox();

  // Where the display cannot have a background window, say so before anything is taken.
  const app::DesktopSupport desktop =
      g_options.desktop ? app::DesktopSupportHere() : app::DesktopSupport::kNone;
  if (g_options.desktop && desktop == app::DesktopSupport::kNone) {
    std::fputs(app::NoDesktopMessage().c_str(), stderr);
    std::fflush(nullptr);
    std::_Exit(kNoDesktopCode);
  }

  instance_ = std::make_unique<platform::SingleInstance>(
      platform::SingleInstance::LockDirectory(platform::SettingsDirectory()));
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
  if (frame->View()) frame->View()->LimitFrameRate(app::FrameRateCap(g_options));
  if (g_options.desktop)
    frame->ShowAsDesktop(desktop);
  else
    frame->ShowCoveringScreen();
  return true;
}
