#include <cstdio>
#include <cstdlib>

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
  const platform::BackendDecision backend =
      platform::ChooseDisplayBackend(platform::ReadDisplayEnvironment());
  if (!backend.CanStart()) {
    std::fputs(backend.message.c_str(), stderr);
    return kNoUsableDisplayCode;
  }
  // The toolkit sees only the program name: every option has been handled here.
  int wxArgc = 1;
  return wxEntry(wxArgc, argv);
}
