// Window tests run inside a real wx application on the display (Xvfb in the test runs).
#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/image.h>
#include <wx/init.h>

#include "GuiTestSupport.h"

#include <wx/evtloop.h>
#include <wx/timer.h>

namespace {
class TestApp : public wxApp {
 public:
  bool OnInit() override {
    wxInitAllImageHandlers();
    return true;
  }
};
}  // namespace

void RunEventsFor(int milliseconds) {
  wxGUIEventLoop loop;
  wxEventLoopActivator activate(&loop);
  wxTimer stop;
  stop.Bind(wxEVT_TIMER, [&loop](wxTimerEvent&) { loop.ScheduleExit(0); });
  stop.StartOnce(milliseconds);
  loop.Run();
}

bool RunEventsUntil(const std::function<bool()>& done, int timeoutMs) {
  const wxLongLong end = wxGetLocalTimeMillis() + timeoutMs;
  while (!done()) {
    if (wxGetLocalTimeMillis() > end) return false;
    RunEventsFor(10);
  }
  return true;
}

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  wxApp::SetInstance(new TestApp);
  if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit()) {
    std::fprintf(stderr, "cannot start the window system (is DISPLAY set?)\n");
    return 1;
  }
  const int rc = RUN_ALL_TESTS();
  wxTheApp->OnExit();
  wxEntryCleanup();
  return rc;
}
