#pragma once
#include <memory>

#include <wx/app.h>

namespace platform {
class SingleInstance;
}

// The application object: makes sure only one copy runs, then opens the main frame.
class AquariumApp : public wxApp {
 public:
  AquariumApp();
  ~AquariumApp() override;

  bool OnInit() override;

 private:
  std::unique_ptr<platform::SingleInstance> instance_;
};
