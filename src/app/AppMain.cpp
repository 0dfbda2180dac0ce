#include <cstdio>
#include <cstdlib>

#include <gdk/gdk.h>
#include <wx/app.h>

#include "app/AquariumApp.h"
#include "app/CommandLine.h"
#include "app/ScreensaverMode.h"
#include "platform/DisplayBackend.h"

// The entry point: the options decide between the normal program (its own window) and
// screensaver mode (a foreign window, no toolkit at all).
wxIMPLEMENT_APP_NO_MAIN(AquariumApp);

#ifndef PELAVO_VERSION
#define PELAVO_VERSION "1.0"
#endif

namespace {
constexpr const char* kVersionText = "pelavo " PELAVO_VERSION "\n";
constexpr int kUsageErrorCode = 2;
constexpr int kNoUsableDisplayCode = 1;
#ifdef PELAVO_NATIVE_WAYLAND
constexpr bool kNativeWayland = true;
#else
constexpr bool kNativeWayland = false;
#endif
}  // namespace

int main(int argc, char** argv) {
  const app::LaunchOptions options =
      app::ParseCommandLine(argc, argv, std::getenv(app::kSaverWindowVariable));
  switch (options.kind) {
    case app::LaunchKind::kHelp:
      std::fputs(app::UsageText().c_str(), stdout);
      return 0;
    case app::LaunchKind::kVersion:
      std::fputs(kVersionText, stdout);
      return 0;
    case app::LaunchKind::kError:
      std::fprintf(stderr, "pelavo: %s\n%s", options.error.c_str(), app::UsageText().c_str());
      return kUsageErrorCode;
    case app::LaunchKind::kScreensaver:
      return app::RunScreensaver(options);
    case app::LaunchKind::kWindow:
      break;
  }
  if (!options.display.empty()) setenv("DISPLAY", options.display.c_str(), 1);
  // A window system the view cannot draw on ends here with a message that says why.
  platform::DisplayEnvironment environment = platform::ReadDisplayEnvironment();
  environment.nativeWayland = kNativeWayland;
  const platform::BackendDecision backend = platform::ChooseDisplayBackend(environment);
  if (!backend.CanStart()) {
    std::fputs(backend.message.c_str(), stderr);
    return kNoUsableDisplayCode;
  }
  // The toolkit's GL library limits it to X11 when it loads; the view draws on Wayland
  // through EGL of its own.
  if (backend.backend == platform::DisplayBackend::kWayland) gdk_set_allowed_backends("wayland");
  AquariumApp::UseOptions(options);
  // The toolkit sees only the program name: every option has been handled here.
  int wxArgc = 1;
  return wxEntry(wxArgc, argv);
}
