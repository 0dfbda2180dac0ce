// Shows the real tank natively on a Wayland compositor through WaylandGlSurface: a
// full-screen frame whose only child is a plain window covered by the EGL child surface.
// Frames are drawn when the compositor's frame callback says the last one was shown. The
// mouse goes to the scene as in the program's view (left button feeds), the right button
// opens the icon menu and F1 toggles the overlay; what arrived is reported at the end.
//
// Run by tests/wayland/native_view.sh on a headless Weston without any X server, and by
// tests/wayland/native_pointer.sh on a Weston whose input comes from a virtual X screen. It
// prints "frames N seconds S size WxH scale K" and the input it got when it ends on SIGTERM
// (exit code 0), and "failed: ..." with exit code 1 when the surface cannot be made.
#include <GL/gl.h>
#include <gdk/gdk.h>
#include <gtk/gtk.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string_view>

#include <wx/app.h>
#include <wx/dcclient.h>
#include <wx/display.h>
#include <wx/frame.h>
#include <wx/window.h>

#include "ui/CommandId.h"
#include "ui/IconMenu.h"
#include "view/Scene.h"
#include "view/wayland/WaylandGlSurface.h"

namespace {

constexpr int kDepthBitsWanted = 32;
constexpr int kDepthBitsFallback = 24;
constexpr int kFailureCode = 1;
bool g_clearOnly = false;  // --clear-only: frames that only clear, to see the compositor's pace
constexpr float kClearRed = 0.1f, kClearGreen = 0.3f, kClearBlue = 0.6f;

class TankWindow : public wxWindow {
 public:
  explicit TankWindow(wxWindow* parent)
      : wxWindow(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxWANTS_CHARS),
        surface_(GetHandle()) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &TankWindow::OnPaint, this);
    Bind(wxEVT_LEFT_DOWN, [this](wxMouseEvent& e) {
      if (!HasFocus()) SetFocus();  // as the view does: keys go to the tank after a click
      ++leftPresses_;
      lastPress_ = e.GetPosition();
      std::printf("press %d,%d\n", lastPress_.x, lastPress_.y);
      std::fflush(stdout);
      scene_.OnLeftDown(Pixels(e.GetX()), Pixels(e.GetY()));
      e.Skip();
    });
    Bind(wxEVT_KEY_DOWN, [this](wxKeyEvent& e) {
      if (e.GetKeyCode() == WXK_F1) {
        ++f1Presses_;
        scene_.ToggleOverlay();
      }
      e.Skip();
    });
    Bind(wxEVT_LEFT_UP, [this](wxMouseEvent& e) {
      scene_.OnLeftUp();
      e.Skip();
    });
    Bind(wxEVT_MOTION, [this](wxMouseEvent& e) {
      scene_.OnMouseMove(Pixels(e.GetX()), Pixels(e.GetY()));
      e.Skip();
    });
    // The icon menu of the right button, as in the program: the chosen command is reported.
    Bind(wxEVT_RIGHT_DOWN, [this](wxMouseEvent& e) {
      auto* menu = new IconMenu(this);
      menu->Append(kCmdFeed, IconMenuItem{133, 133, "  Feed Fish"});
      menu->Append(kCmdTouch, IconMenuItem{160, 160, "  Touch Fish"});
      menu->Append(kCmdExit, IconMenuItem{175, 175, "  Exit"});
      lastChosen_ = menu->Track(ClientToScreen(e.GetPosition()));
      ++menusShown_;
      menu->Destroy();
      std::printf("chosen %d\n", lastChosen_);
      std::fflush(stdout);
    });
    surface_.OnFrameDue([this] { CallAfter([this] { DrawFrame(); }); });
  }
  ~TankWindow() override { surface_.Destroy(); }

  // The frame minimised: from now on the compositor does not show the surface.
  void Iconified() { swapsAtIconify_ = surface_.Swaps(); }

  void Report() const {
    const double seconds =
        started_ ? std::chrono::duration<double>(std::chrono::steady_clock::now() - firstFrame_).count()
                 : 0.0;
    std::printf("frames %ld seconds %.2f size %dx%d scale %g\n", surface_.Swaps(), seconds,
                surface_.BufferWidth(), surface_.BufferHeight(), GetContentScaleFactor());
    if (swapsAtIconify_ >= 0)
      std::printf("iconified after %ld frames, %ld more since\n", swapsAtIconify_,
                  surface_.Swaps() - swapsAtIconify_);
    std::printf("presses %d last %d,%d pellets %d menus %d chosen %d f1 %d\n", leftPresses_,
                lastPress_.x, lastPress_.y, mostPellets_, menusShown_, lastChosen_, f1Presses_);
    std::fflush(stdout);
  }

 private:
  // Logical (toolkit) units to the drawable's pixels.
  int Pixels(int logical) const { return static_cast<int>(logical * GetContentScaleFactor() + 0.5); }

  void OnPaint(wxPaintEvent&) {
    wxPaintDC dc(this);
    if (!started_) StartUp();
    if (started_ && surface_.FrameDue()) DrawFrame();
  }

  void StartUp() {
    if (failed_) return;
    if (!surface_.Create(kDepthBitsWanted) && !surface_.Create(kDepthBitsFallback)) {
      Fail("no EGL surface on the Wayland display");
      return;
    }
    if (!surface_.MakeCurrent()) {
      Fail("the EGL context cannot be made current");
      return;
    }
    const wxRect screen = wxDisplay(0u).GetGeometry();
    if (g_clearOnly) {
      started_ = true;
      firstFrame_ = std::chrono::steady_clock::now();
      return;
    }
    // The scene works in the drawable's pixels: on a scaled output the logical screen size
    // times the scale, so the picture is as sharp as the output.
    if (!scene_.Startup(Pixels(screen.width), Pixels(screen.height)))
      Fail("scene start-up stopped early");
    started_ = true;
    firstFrame_ = std::chrono::steady_clock::now();
  }

  void DrawFrame() {
    if (!started_ || !surface_.FrameDue()) return;
    surface_.MakeCurrent();
    if (g_clearOnly) {
      glClearColor(kClearRed, kClearGreen, kClearBlue, 1.0f);
      glClear(GL_COLOR_BUFFER_BIT);
      glFinish();
      surface_.SwapBuffers();
      return;
    }
    scene_.RunFrame();
    glFinish();
    mostPellets_ = std::max(mostPellets_, scene_.activePellets());
    surface_.SwapBuffers();
  }

  void Fail(const char* why) {
    failed_ = true;
    std::printf("failed: %s\n", why);
    std::fflush(stdout);
    std::_Exit(kFailureCode);
  }

  view::WaylandGlSurface surface_;
  view::Scene scene_;
  bool started_ = false;
  bool failed_ = false;
  long swapsAtIconify_ = -1;
  int leftPresses_ = 0;
  int f1Presses_ = 0;
  int mostPellets_ = 0;
  int menusShown_ = 0;
  int lastChosen_ = -1;
  wxPoint lastPress_{-1, -1};
  std::chrono::steady_clock::time_point firstFrame_{};
};

TankWindow* g_tank = nullptr;

class CheckApp : public wxApp {
 public:
  bool OnInit() override {
    if (!view::WaylandGlSurface::ToolkitOnWayland()) {
      std::printf("failed: the toolkit does not run on Wayland\n");
      return false;
    }
    auto* frame = new wxFrame(nullptr, wxID_ANY, "Pelavo", wxDefaultPosition, wxDefaultSize,
                              wxBORDER_NONE);
    g_tank = new TankWindow(frame);
    frame->SetSize(wxDisplay(0u).GetGeometry());
    frame->Show();
    frame->ShowFullScreen(true, wxFULLSCREEN_ALL);
    for (int sig : {SIGTERM, SIGINT}) SetSignalHandler(sig, [](int) {
      if (g_tank) g_tank->Report();
      wxTheApp->ExitMainLoop();
    });
    // SIGUSR1 minimises the frame, to see that frames stop while the compositor hides it.
    SetSignalHandler(SIGUSR1, [](int) {
      if (!g_tank) return;
      g_tank->Iconified();
      static_cast<wxFrame*>(wxGetTopLevelParent(g_tank))->Iconize(true);
    });
    return true;
  }
};

}  // namespace

wxIMPLEMENT_APP_NO_MAIN(CheckApp);

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i)
    if (std::string_view(argv[i]) == "--clear-only") g_clearOnly = true;
  int wxArgc = 1;
  // The GL library of the toolkit limits it to X11 when it loads; this check is about Wayland.
  gdk_set_allowed_backends("wayland");
  return wxEntry(wxArgc, argv);
}
