#pragma once
#include <memory>

#include <wx/app.h>

#include "app/CommandLine.h"

namespace platform {
class SingleInstance;
}

// The application object: makes sure only one copy runs, then opens the main frame.
class AquariumApp : public wxApp {
 public:
  AquariumApp();
  ~AquariumApp() override;

  bool OnInit() override;

  // What the command line asked for (the full-screen window or the desktop background, and
  // the frame-rate cap). Before the toolkit starts.
  static void UseOptions(const app::LaunchOptions& options);

 private:
  std::unique_ptr<platform::SingleInstance> instance_;
};
